#include "mainwindow/WindowRegion.h"

#include <gtest/gtest.h>

namespace {

// One string a row: '.' the top-left colour, '#' another.
QImage picture(const QStringList &rows, QRgb key = qRgb(255, 0, 255), QRgb other = qRgb(10, 20, 30))
{
    QImage image(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.setPixel(x, y, rows[y][x] == u'#' ? other : key);
        }
    }
    return image;
}

} // namespace

TEST(WindowRegionTest, CoversExactlyThePixelsUnlikeTheTopLeftOne)
{
    const struct {
        const char *name;
        QImage image;
        QRegion expected;
    } rows[] = {
        {"opaque to the right edge", picture({"..###"}), QRegion(2, 0, 3, 1)},
        {"a row of key colour only", picture({"....", ".##.", "...."}), QRegion(1, 1, 2, 1)},
        {"two runs in a row", picture({".#..##"}), QRegion(1, 0, 1, 1) + QRegion(4, 0, 2, 1)},
        {"key colour is whatever the top-left pixel is",
         picture({"#..", "#.#"}, qRgb(0, 0, 0), qRgb(255, 0, 255)),
         QRegion(1, 0, 2, 1) + QRegion(1, 1, 1, 1)},
        {"nothing opaque", picture({"...", "..."}), QRegion()},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(regionFromSkin(row.image), row.expected) << row.name;
    }
}
