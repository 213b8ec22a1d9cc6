#include "mainwindow/WindowRegion.h"

#include <QList>

QRegion regionFromSkin(const QImage &skin)
{
    if (skin.isNull()) {
        return {};
    }
    const QImage image = skin.convertToFormat(QImage::Format_RGB32);
    const QRgb key = image.pixel(0, 0);
    const int width = image.width();
    QList<QRect> runs;
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        int runStart = -1;
        for (int x = 0; x <= width; ++x) {
            const bool opaque = x < width && row[x] != key;
            if (opaque && runStart < 0) {
                runStart = x;
            } else if (!opaque && runStart >= 0) {
                runs.append(QRect(runStart, y, x - runStart, 1));
                runStart = -1;
            }
        }
    }
    // Runs come sorted by row, then by column, and never overlap: what setRects asks for.
    QRegion region;
    region.setRects(runs.constData(), static_cast<int>(runs.size()));
    return region;
}
