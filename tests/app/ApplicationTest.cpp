#include "app/Application.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>

namespace {

class ApplicationTest : public CleanStateTest {};

class EnvironmentGuard {
public:
    explicit EnvironmentGuard(std::initializer_list<const char *> names)
    {
        for (const char *name : names) {
            saved_.push_back({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
            qunsetenv(name);
        }
    }
    ~EnvironmentGuard()
    {
        for (const auto &s : saved_) {
            if (s.wasSet) {
                qputenv(s.name, s.value);
            } else {
                qunsetenv(s.name);
            }
        }
    }

private:
    struct Saved {
        const char *name;
        QByteArray value;
        bool wasSet;
    };
    std::vector<Saved> saved_;
};

} // namespace

TEST_F(ApplicationTest, AWaylandSessionRunsThroughXWaylandUnlessThePlatformWasChosen)
{
    EnvironmentGuard guard{"XDG_SESSION_TYPE", "WAYLAND_DISPLAY", "DISPLAY", "QT_QPA_PLATFORM"};
    qputenv("XDG_SESSION_TYPE", "wayland");
    qputenv("DISPLAY", ":0");
    Application::preferX11OnWayland();
    EXPECT_EQ(qgetenv("QT_QPA_PLATFORM"), QByteArray("xcb"));

    qputenv("QT_QPA_PLATFORM", "wayland");
    Application::preferX11OnWayland();
    EXPECT_EQ(qgetenv("QT_QPA_PLATFORM"), QByteArray("wayland")) << "the user's choice stands";

    qunsetenv("QT_QPA_PLATFORM");
    qunsetenv("DISPLAY");
    Application::preferX11OnWayland();
    EXPECT_FALSE(qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) << "no XWayland to go to";
}
