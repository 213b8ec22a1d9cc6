#pragma once

#include "support/ChildProcess.h"

#include <QGuiApplication>
#include <QTest>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

// A small EWMH window manager (openbox) on the test's display, from start to stop by its PID,
// and the window properties it keeps.
class WindowManager {
public:
    // True once the manager manages new windows (it marks them with their state).
    bool start()
    {
        process_.start("openbox", {"--sm-disable", "--startup", "true"});
        QWidget probe;
        probe.setGeometry(0, 0, 8, 8);
        probe.show();
        return QTest::qWaitFor([&] { return !property(xcb_window_t(probe.winId()), "WM_STATE").empty(); },
                               10000);
    }

    static xcb_window_t root() { return xcb_setup_roots_iterator(xcb_get_setup(connection())).data->root; }

    // A property of 32-bit values (atoms, windows, cardinals).
    static std::vector<std::uint32_t> property(xcb_window_t window, const char *name)
    {
        const auto cookie = xcb_get_property(connection(), 0, window, atom(name), XCB_ATOM_ANY, 0, 64);
        const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
            xcb_get_property_reply(connection(), cookie, nullptr), &std::free);
        const auto *values =
            reply ? static_cast<const std::uint32_t *>(xcb_get_property_value(reply.get())) : nullptr;
        return values && reply->format == 32 ? std::vector(values, values + reply->value_len)
                                             : std::vector<std::uint32_t>();
    }

    static bool keptAbove(xcb_window_t window)
    {
        const auto states = property(window, "_NET_WM_STATE");
        return std::find(states.begin(), states.end(), atom("_NET_WM_STATE_ABOVE")) != states.end();
    }

private:
    static xcb_connection_t *connection()
    {
        return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    }
    static std::uint32_t atom(const char *name)
    {
        const auto cookie = xcb_intern_atom(connection(), 0, std::uint16_t(std::strlen(name)), name);
        const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
            xcb_intern_atom_reply(connection(), cookie, nullptr), &std::free);
        return reply ? reply->atom : 0;
    }

    ChildProcess process_;
};
