#pragma once

#include <QImage>
#include <QRegion>

// The window's outline cut from its skin: every pixel whose colour differs
// from the top-left pixel's, as one-pixel-high runs row by row.
QRegion regionFromSkin(const QImage &skin);
