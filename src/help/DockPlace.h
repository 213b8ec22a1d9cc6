#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the help panel (its frame) stands beside its owner's frame: against the owner's right
// edge where the screen's available area has room for it, else against its left edge, and
// always inside that area.
QPoint dockPlace(const QRect &owner, const QSize &panel, const QRect &available);
