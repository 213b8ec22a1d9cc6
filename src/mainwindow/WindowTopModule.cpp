#include "mainwindow/WindowTopModule.h"

#include "platform/WindowManagerHints.h"

#include <QWidget>
#include <QWindow>

namespace WindowTopModule {
namespace {

// Changing the widget's flag would destroy and remap the window (a flicker, and the window
// manager forgets it): the flag is recorded for the next map and the window manager is asked
// to change the mapped window in place.
void setKeptOnTop(QWidget &form, bool onTop)
{
    if (form.windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop) {
        return;
    }
    const Qt::WindowFlags flags = form.windowFlags().setFlag(Qt::WindowStaysOnTopHint, onTop);
    form.overrideWindowFlags(flags);
    if (QWindow *window = form.windowHandle()) {
        window->setFlags(flags);
        if (form.isVisible()) {
            platform::requestKeptAbove(*window, onTop);
        }
    }
}

} // namespace

int WindowTop(QWidget &form, std::int16_t mode)
{
    switch (mode) {
    case NotTopmost:
        setKeptOnTop(form, false);
        form.show();
        break;
    case Topmost:
        setKeptOnTop(form, true);
        form.show();
        form.raise();
        break;
    case Top:
        form.show();
        form.raise();
        break;
    case Bottom:
        setKeptOnTop(form, false);
        form.show();
        form.lower();
        break;
    default:
        return 0;
    }
    return 1;
}

} // namespace WindowTopModule
