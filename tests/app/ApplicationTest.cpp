#include "app/Application.h"

#include <QString>
#include <gtest/gtest.h>
#include <optional>

TEST(ApplicationTest, AWaylandSessionRunsThroughXWaylandUnlessThePlatformWasChosen)
{
    const char *names[] = {"XDG_SESSION_TYPE", "WAYLAND_DISPLAY", "DISPLAY", "QT_QPA_PLATFORM"};
    std::optional<QByteArray> saved[std::size(names)];
    for (size_t i = 0; i < std::size(names); ++i) {
        saved[i] = qEnvironmentVariableIsSet(names[i]) ? std::optional(qgetenv(names[i])) : std::nullopt;
        qunsetenv(names[i]);
    }
    qputenv("XDG_SESSION_TYPE", "wayland");
    const struct {
        const char *platform, *display, *expected; // nullptr: unset
    } rows[] = {{nullptr, ":0", "xcb"}, {"wayland", ":0", "wayland"}, {nullptr, nullptr, nullptr}};
    for (const auto &row : rows) {
        row.platform ? qputenv("QT_QPA_PLATFORM", row.platform) : qunsetenv("QT_QPA_PLATFORM");
        row.display ? qputenv("DISPLAY", row.display) : qunsetenv("DISPLAY");
        Application::preferX11OnWayland();
        EXPECT_EQ(qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("(unset)")),
                  row.expected ? row.expected : "(unset)")
            << "the user's choice stands";
    }
    for (size_t i = 0; i < std::size(names); ++i) {
        saved[i] ? qputenv(names[i], *saved[i]) : qunsetenv(names[i]);
    }
}
