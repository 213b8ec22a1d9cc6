#include "app/Application.h"

#include <QString>
#include <gtest/gtest.h>
#include <optional>
#include <tuple>

TEST(ApplicationTest, AWaylandSessionRunsThroughXWaylandUnlessThePlatformWasChosen)
{
    const char *names[] = {"XDG_SESSION_TYPE", "WAYLAND_DISPLAY", "DISPLAY", "QT_QPA_PLATFORM"};
    std::optional<QByteArray> saved[std::size(names)];
    for (size_t i = 0; i < std::size(names); ++i) {
        saved[i] = qEnvironmentVariableIsSet(names[i]) ? std::optional(qgetenv(names[i])) : std::nullopt;
        qunsetenv(names[i]);
    }
    qputenv("XDG_SESSION_TYPE", "wayland");
    // The platform chosen, the display and the platform then; nullptr: unset.
    const std::tuple<const char *, const char *, const char *> rows[] = {
        {nullptr, ":0", "xcb"}, {"wayland", ":0", "wayland"}, {nullptr, nullptr, nullptr}};
    for (const auto &[platform, display, expected] : rows) {
        platform ? qputenv("QT_QPA_PLATFORM", platform) : qunsetenv("QT_QPA_PLATFORM");
        display ? qputenv("DISPLAY", display) : qunsetenv("DISPLAY");
        Application::preferX11OnWayland();
        EXPECT_EQ(qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("-")), expected ? expected : "-")
            << "the choice stands";
    }
    for (size_t i = 0; i < std::size(names); ++i) {
        saved[i] ? qputenv(names[i], *saved[i]) : qunsetenv(names[i]);
    }
}
