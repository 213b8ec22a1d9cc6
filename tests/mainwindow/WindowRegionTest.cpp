#include "mainwindow/WindowRegion.h"
#include "mainwindow/SkinPicture.h"

#include <QPainter>

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

TEST(WindowRegionTest, SkinArtworkKeepsTheLogoApartAndIsSmoothedOnlyAtFractionalScales)
{
    for (const int scale : {1, 2}) {
        const QImage skin(scale == 1 ? QStringLiteral(":/artwork/skin.png")
                                     : QStringLiteral(":/artwork/skin@2x.png"));
        // The last grey column of "LYRABOX" and the first cyan one of its "3".
        int grey = 0, cyan = 0;
        for (int x = 84 * scale; x < 140 * scale && cyan == 0; ++x) {
            for (int y = 77 * scale; y < 84 * scale; ++y) {
                const QColor c = skin.pixelColor(x, y);
                cyan = c.blue() > 200 && c.red() < 180 ? x : cyan;
                grey = c.red() > 80 && std::abs(c.red() - c.blue()) < 30 ? x : grey;
            }
        }
        EXPECT_GT(cyan - grey, 2 * scale) << "scale " << scale << ": the 3 stands apart from the X";
    }
    // One-pixel stripes: copied exactly at 200 %, blended rather than dropped at 150 %.
    QImage stripes(8, 8, QImage::Format_RGB32);
    stripes.fill(Qt::black);
    for (int x = 1; x < 8; x += 2) {
        QPainter(&stripes).fillRect(x, 0, 1, 8, Qt::white);
    }
    QPixmap picture = QPixmap::fromImage(stripes);
    picture.setDevicePixelRatio(2.0);
    for (const qreal ratio : {1.5, 2.0}) {
        QImage screen(QSize(4, 4) * ratio, QImage::Format_RGB32);
        screen.setDevicePixelRatio(ratio);
        QPainter painter(&screen);
        drawSkinPicture(painter, picture);
        painter.end();
        const QRgb middle = screen.pixel(1, 1);
        EXPECT_TRUE(ratio == 2.0 ? screen == stripes
                                 : middle != qRgb(0, 0, 0) && middle != qRgb(255, 255, 255))
            << ratio;
    }
}
