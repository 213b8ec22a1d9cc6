#include "mainwindow/FittingFont.h"

#include <QFontMetricsF>

namespace {

constexpr int SmallestPixelSize = 6;
constexpr int NarrowestStretch = 75;
constexpr int StretchStep = 5;

// At 100 %, 150 % and 200 %.
bool fitsAtEveryScale(const QFont &font, const QString &text, int width)
{
    for (const int halves : {2, 3, 4}) {
        QFont scaled = font;
        scaled.setPixelSize(font.pixelSize() * halves / 2);
        if (QFontMetricsF(scaled).horizontalAdvance(text) * 2 > width * halves) {
            return false;
        }
    }
    return true;
}

} // namespace

QFont fittingFont(QFont font, const QString &widest, int width)
{
    // Even sizes only: at 150 % they stay whole pixels.
    for (int size = font.pixelSize(); size >= SmallestPixelSize; size -= 2) {
        font.setPixelSize(size);
        for (int stretch = QFont::Unstretched; stretch >= NarrowestStretch; stretch -= StretchStep) {
            font.setStretch(stretch);
            if (fitsAtEveryScale(font, widest, width)) {
                return font;
            }
        }
    }
    return font;
}
