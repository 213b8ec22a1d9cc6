#include "help/DockPlace.h"

#include <algorithm>

QPoint dockPlace(const QRect &owner, const QSize &panel, const QRect &available)
{
    const int right = owner.x() + owner.width();
    const int left = owner.x() - panel.width();
    const int lastX = available.x() + available.width() - panel.width();
    const int lastY = available.y() + available.height() - panel.height();
    int x = right;
    if (right > lastX && left >= available.x()) {
        x = left;
    }
    x = std::max(available.x(), std::min(x, lastX));
    const int y = std::max(available.y(), std::min(owner.y(), lastY));
    return {x, y};
}
