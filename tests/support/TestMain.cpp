#include "support/PrivateDisplay.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // Listing the tests needs no display; running the window tests does.
    const bool ownDisplay = qEnvironmentVariable("LYRA_TEST_DISPLAY") == QStringLiteral("xvfb");
    if (ownDisplay && !PrivateDisplay::start()) {
        return 1;
    }
    // Test discovery runs the binary without the test's environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (qEnvironmentVariableIsEmpty("LYRABOX_AUDIO_SINK")) {
        qputenv("LYRABOX_AUDIO_SINK", "fakesink");
    }
    TestEnvironment::prepareDirectories();
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const int result = RUN_ALL_TESTS();
    TestEnvironment::removeDirectories();
    PrivateDisplay::stop();
    return result;
}
