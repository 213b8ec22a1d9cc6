#include "mainwindow/WindowTopModule.h"

#include <QWidget>

namespace WindowTopModule {
namespace {

// Changing a window flag hides the window, so change it only when it differs.
void setKeptOnTop(QWidget &form, bool onTop)
{
    if (form.windowFlags().testFlag(Qt::WindowStaysOnTopHint) != onTop) {
        form.setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
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
