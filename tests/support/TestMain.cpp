#include "app/WindowLoaders.h"
#include "support/ChildProcess.h"
#include "support/TestEnvironment.h"

#include <QApplication>

namespace {

// Window masks and the tray need a real X server: a private Xvfb with a white root, on a
// display number the server picks and writes once it accepts clients.
bool startPrivateDisplay(QProcess &server)
{
    server.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-wr", "-nolisten", "tcp"});
    QByteArray number;
    while (!number.endsWith('\n') && server.waitForReadyRead(10000)) {
        number += server.readAllStandardOutput();
    }
    qputenv("DISPLAY", ":" + number.trimmed());
    qputenv("QT_QPA_PLATFORM", "xcb");
    return !number.trimmed().isEmpty();
}

} // namespace

int main(int argc, char **argv)
{
    // Listing the tests needs no display; running the window tests does.
    ChildProcess display;
    if (qEnvironmentVariable("LYRA_TEST_DISPLAY") == u"xvfb" && !startPrivateDisplay(display)) {
        return 1;
    }
    // Test discovery runs the binary without the test's environment.
    for (const auto &[name, value] :
         {std::pair{"QT_QPA_PLATFORM", "offscreen"}, {"LYRABOX_AUDIO_SINK", "fakesink"}}) {
        if (qEnvironmentVariableIsEmpty(name)) {
            qputenv(name, value);
        }
    }
    TestEnvironment::prepareDirectories();
    ::testing::InitGoogleTest(&argc, argv);
    int result = 0;
    {
        // Gone before its X server, so that it closes its connection.
        QApplication app(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
        registerWindowLoaders();
        result = RUN_ALL_TESTS();
    }
    TestEnvironment::removeDirectories();
    return result;
}
