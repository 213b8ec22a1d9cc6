// Saves a PNG of the whole X display, to look at the player under Xvfb:
//   screenshot out.png [delay-ms] [--crop]
// --crop keeps only the box around everything that differs from the root's
// colour (the display's top-left pixel), e.g. a shaped window on a plain root.
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QThread>

namespace {

QRect differingBox(const QImage &image)
{
    const QRgb root = image.pixel(0, 0);
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (row[x] != root) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const bool crop = args.contains(QStringLiteral("--crop"));
    QStringList plain = args;
    plain.removeAll(QStringLiteral("--crop"));
    if (plain.isEmpty()) {
        return 2;
    }
    if (plain.size() > 1) {
        QThread::msleep(plain[1].toULong());
    }
    QImage image =
        QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
    if (crop) {
        const QRect box = differingBox(image);
        if (box.isEmpty()) {
            return 1;
        }
        image = image.copy(box);
    }
    return image.save(plain[0]) ? 0 : 1;
}
