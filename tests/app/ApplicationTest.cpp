#include "app/Application.h"
#include "support/TestEnvironment.h"

#include <optional>
#include <vector>

TEST(ApplicationTest, AWaylandSessionRunsThroughXWaylandUnlessThePlatformWasChosen)
{
    const char *names[] = {"XDG_SESSION_TYPE", "WAYLAND_DISPLAY", "DISPLAY", "QT_QPA_PLATFORM"};
    std::vector<std::optional<QByteArray>> saved;
    for (const char *name : names) {
        saved.push_back(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
        qunsetenv(name);
    }
    const struct {
        const char *platform, *display, *expected; // nullptr: unset
    } rows[] = {{nullptr, ":0", "xcb"}, {"wayland", ":0", "wayland"}, {nullptr, nullptr, nullptr}};
    for (const auto &row : rows) {
        qputenv("XDG_SESSION_TYPE", "wayland");
        row.platform ? qputenv("QT_QPA_PLATFORM", row.platform) : qunsetenv("QT_QPA_PLATFORM");
        row.display ? qputenv("DISPLAY", row.display) : qunsetenv("DISPLAY");
        Application::preferX11OnWayland();
        EXPECT_EQ(qEnvironmentVariableIsSet("QT_QPA_PLATFORM"), row.expected != nullptr);
        EXPECT_EQ(qgetenv("QT_QPA_PLATFORM"), QByteArray(row.expected)) << "the user's choice stands";
    }
    for (size_t i = 0; i < saved.size(); ++i) {
        saved[i] ? qputenv(names[i], *saved[i]) : qunsetenv(names[i]);
    }
}
