// Draws the player's bundled artwork (splash, icons, skin) into a folder.
// Usage: make_artwork <output-folder>
// Everything is computed from fixed formulas, so repeated runs give the same PNGs.

#include "skin_artwork.h"

#include <QDir>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>

#include <cmath>
#include <numbers>

namespace {

const QColor ink(0xf3, 0xf5, 0xff);
const QColor cyan(0x6f, 0xdc, 0xff);
const QColor violet(0xb0, 0x96, 0xff);
const QColor pink(0xff, 0x8a, 0xd2);

QColor withAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

// Output must not depend on which fonts a machine happens to have beyond these.
QString pickFamily(const QStringList &wanted)
{
    const QStringList have = QFontDatabase::families();
    for (const QString &family : wanted) {
        if (have.contains(family, Qt::CaseInsensitive)) {
            return family;
        }
    }
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

QFont makeFont(const QStringList &families, qreal pixelSize, int weight)
{
    QFont font(pickFamily(families));
    font.setPixelSize(qRound(pixelSize));
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

QImage blankImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    // 96 dpi, so viewers show it at its natural size.
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    return image;
}

// Cheap, deterministic blur: shrinking and re-growing with smooth filtering.
QImage softened(const QImage &source, int factor)
{
    const QSize small(qMax(1, source.width() / factor), qMax(1, source.height() / factor));
    QImage image = source.scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image.scaled(source.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QPointF inBox(const QRectF &box, qreal x, qreal y)
{
    return {box.left() + x * box.width(), box.top() + y * box.height()};
}

// Lyre geometry, in fractions of its box so one shape serves every size.
constexpr qreal crossbarY = 0.235;
constexpr qreal bridgeY = 0.78;

QPainterPath lyreFrame(const QRectF &box)
{
    QPainterPath path;
    for (const int side : {-1, 1}) {
        const auto pt = [&](qreal x, qreal y) { return inBox(box, 0.5 + side * (x - 0.5), y); };
        path.moveTo(pt(0.5, 0.9));
        path.cubicTo(pt(0.2, 0.9), pt(0.1, 0.64), pt(0.19, 0.43));
        path.cubicTo(pt(0.26, 0.28), pt(0.31, 0.17), pt(0.18, 0.07));
    }
    path.moveTo(inBox(box, 0.255, crossbarY));
    path.lineTo(inBox(box, 0.745, crossbarY));
    path.moveTo(inBox(box, 0.3, bridgeY));
    path.lineTo(inBox(box, 0.7, bridgeY));
    return path;
}

// The middle string is drawn plucked, which makes the lyre read as "sound".
QPainterPath lyreStrings(const QRectF &box, int count, qreal span, bool plucked)
{
    QPainterPath path;
    for (int i = 0; i < count; ++i) {
        const qreal x = 0.5 - span / 2 + span * i / (count - 1);
        const bool middle = plucked && i == count / 2;
        path.moveTo(inBox(box, x, crossbarY));
        if (!middle) {
            path.lineTo(inBox(box, x, bridgeY));
            continue;
        }
        constexpr int steps = 48;
        for (int s = 1; s <= steps; ++s) {
            const qreal t = qreal(s) / steps;
            const qreal swing = 0.028 * std::sin(t * std::numbers::pi) * std::sin(t * 5 * std::numbers::pi);
            path.lineTo(inBox(box, x + swing, crossbarY + t * (bridgeY - crossbarY)));
        }
    }
    return path;
}

QPainterPath tileShape(const QRectF &tile)
{
    QPainterPath path;
    const qreal radius = tile.width() * 0.23;
    path.addRoundedRect(tile, radius, radius);
    return path;
}

struct IconStyle {
    qreal frameWidth;
    qreal stringWidth;
    int strings;
    qreal stringSpan;
    bool plucked;
    bool glow;
};

void drawTile(QPainter &p, const QRectF &tile)
{
    const QPainterPath shape = tileShape(tile);

    QLinearGradient base(tile.topLeft(), tile.bottomRight());
    base.setColorAt(0.0, QColor(0x58, 0x6a, 0xf0));
    base.setColorAt(0.5, QColor(0x3a, 0x35, 0xb8));
    base.setColorAt(1.0, QColor(0x24, 0x17, 0x6e));
    p.fillPath(shape, base);

    QRadialGradient sheen(inBox(tile, 0.22, 0.08), tile.width() * 0.9);
    sheen.setColorAt(0.0, withAlpha(Qt::white, 58));
    sheen.setColorAt(1.0, withAlpha(Qt::white, 0));
    p.fillPath(shape, sheen);

    QRadialGradient warm(inBox(tile, 0.95, 1.0), tile.width() * 0.75);
    warm.setColorAt(0.0, withAlpha(QColor(0xd0, 0x5c, 0xe8), 90));
    warm.setColorAt(1.0, withAlpha(QColor(0xd0, 0x5c, 0xe8), 0));
    p.fillPath(shape, warm);

    // A hairline rim keeps the tile distinct on dark panels and trays.
    const qreal rim = qMax(1.0, tile.width() / 110.0);
    QLinearGradient rimShade(tile.topLeft(), tile.bottomLeft());
    rimShade.setColorAt(0.0, withAlpha(Qt::white, 90));
    rimShade.setColorAt(1.0, withAlpha(Qt::white, 18));
    p.setPen(QPen(QBrush(rimShade), rim));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tileShape(tile.adjusted(rim / 2, rim / 2, -rim / 2, -rim / 2)));
}

void drawLyre(QPainter &p, const QRectF &box, const IconStyle &style)
{
    const QPainterPath frame = lyreFrame(box);
    const QPainterPath strings = lyreStrings(box, style.strings, style.stringSpan, style.plucked);

    if (style.glow) {
        for (int i = 3; i >= 1; --i) {
            p.setPen(QPen(withAlpha(cyan, 16), style.frameWidth + i * 3.0, Qt::SolidLine, Qt::RoundCap,
                          Qt::RoundJoin));
            p.drawPath(frame);
        }
    }

    QLinearGradient stringShade(inBox(box, 0, crossbarY), inBox(box, 0, bridgeY));
    stringShade.setColorAt(0.0, cyan);
    stringShade.setColorAt(1.0, violet.lighter(112));
    p.setPen(QPen(QBrush(stringShade), style.stringWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(strings);

    QLinearGradient frameShade(box.topLeft(), box.bottomLeft());
    frameShade.setColorAt(0.0, Qt::white);
    frameShade.setColorAt(1.0, QColor(0xdc, 0xe2, 0xff));
    p.setPen(QPen(QBrush(frameShade), style.frameWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(frame);
}

void drawShadow(QPainter &p, const QSize &canvas, const QPainterPath &shape, const QPointF &offset, int alpha,
                int blur)
{
    QImage mask = blankImage(canvas.width(), canvas.height());
    {
        QPainter m(&mask);
        m.setRenderHint(QPainter::Antialiasing);
        m.translate(offset);
        m.fillPath(shape, withAlpha(QColor(0x04, 0x05, 0x18), alpha));
    }
    p.drawImage(0, 0, softened(mask, blur));
}

QImage makeIcon128(int size = 128)
{
    QImage image = blankImage(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 128.0, size / 128.0);

    const QRectF tile(8, 6, 112, 112);
    drawShadow(p, image.size(), tileShape(tile), {0, 3}, 150, 4);
    drawTile(p, tile);
    drawLyre(p, QRectF(31, 17, 66, 90), {7.0, 2.6, 5, 0.32, true, true});
    return image;
}

// At 32 px the big icon turns to mush; fewer, thicker strokes on pixel centres read better.
QImage makeIcon32(int size = 32)
{
    QImage image = blankImage(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);

    drawTile(p, QRectF(1, 1, 30, 30));
    // Box chosen so the crossbar, bridge and both strings land on whole pixels.
    drawLyre(p, QRectF(6, 3.96, 20, 25.7), {2.0, 1.0, 2, 3.0 / 20, false, false});
    return image;
}

// Mirrored waveform bars: calm at the edges, busy in the middle.
void drawWaveform(QPainter &p, const QRectF &band)
{
    constexpr qreal barWidth = 3.0;
    constexpr qreal pitch = 6.0;
    const int bars = int(band.width() / pitch);
    const qreal centre = band.center().y();
    const qreal reach = band.height() / 2;

    QLinearGradient colour(band.topLeft(), band.topRight());
    colour.setColorAt(0.0, cyan);
    colour.setColorAt(0.55, violet);
    colour.setColorAt(1.0, pink);

    p.setPen(Qt::NoPen);
    for (int i = 0; i < bars; ++i) {
        const qreal t = (i + 0.5) / bars;
        const qreal envelope = std::pow(std::sin(t * std::numbers::pi), 1.4);
        const qreal level = 0.5 * std::fabs(std::sin(i * 0.43 + 0.6)) +
                            0.3 * std::fabs(std::sin(i * 0.17 + 1.9)) +
                            0.2 * std::fabs(std::sin(i * 1.31 + 0.2));
        const qreal half = 1.5 + reach * envelope * level;
        const qreal x = band.left() + i * pitch + (pitch - barWidth) / 2;
        const QRectF bar(x, centre - half, barWidth, half * 2);

        p.setOpacity(0.28 + 0.62 * envelope);
        p.setBrush(colour);
        p.drawRoundedRect(bar, barWidth / 2, barWidth / 2);
    }
    p.setOpacity(1.0);
}

// The night-blue backdrop of the splash and the about window's banner.
void paintSky(QPainter &p, const QSizeF &size)
{
    const QRectF all(QPointF(0, 0), size);
    QLinearGradient sky(0, 0, size.width() * 0.4, size.height());
    sky.setColorAt(0.0, QColor(0x22, 0x2a, 0x78));
    sky.setColorAt(0.5, QColor(0x16, 0x1b, 0x52));
    sky.setColorAt(1.0, QColor(0x0a, 0x0d, 0x2a));
    p.fillRect(all, sky);

    QRadialGradient glow(size.width() * 0.85, 30, 230);
    glow.setColorAt(0.0, withAlpha(QColor(0x7a, 0x52, 0xe6), 120));
    glow.setColorAt(1.0, withAlpha(QColor(0x7a, 0x52, 0xe6), 0));
    p.fillRect(all, glow);

    QRadialGradient cool(40, 10, 200);
    cool.setColorAt(0.0, withAlpha(QColor(0x3a, 0x86, 0xff), 60));
    cool.setColorAt(1.0, withAlpha(QColor(0x3a, 0x86, 0xff), 0));
    p.fillRect(all, cool);
}

// The about window's banner: sky and waveform, drawn at scale for high-dpi screens.
QImage makeAboutBanner(int scale)
{
    constexpr int width = 380;
    constexpr int height = 72;
    QImage image = blankImage(width * scale, height * scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    paintSky(p, QSizeF(width, height));
    drawWaveform(p, QRectF(16, 14, width - 32, height - 28));
    p.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage makeSplash()
{
    constexpr int width = 400;
    constexpr int height = 250;
    QImage image = blankImage(width, height);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    paintSky(p, QSizeF(width, height));

    drawWaveform(p, QRectF(24, 112, 352, 56));

    // The player writes its version and platform lines in the lower left; keep it dark and quiet.
    QLinearGradient floor(0, 176, 0, height);
    floor.setColorAt(0.0, withAlpha(QColor(0x06, 0x08, 0x1e), 0));
    floor.setColorAt(0.35, withAlpha(QColor(0x06, 0x08, 0x1e), 170));
    floor.setColorAt(1.0, withAlpha(QColor(0x06, 0x08, 0x1e), 215));
    p.fillRect(QRectF(0, 176, width, height - 176), floor);

    QLinearGradient rule(24, 0, 376, 0);
    rule.setColorAt(0.0, withAlpha(Qt::white, 0));
    rule.setColorAt(0.2, withAlpha(Qt::white, 46));
    rule.setColorAt(0.8, withAlpha(Qt::white, 46));
    rule.setColorAt(1.0, withAlpha(Qt::white, 0));
    p.fillRect(QRectF(24, 185, 352, 1), rule);

    const QRectF tile(24, 24, 64, 64);
    drawShadow(p, image.size(), tileShape(tile), {0, 3}, 150, 4);
    drawTile(p, tile);
    drawLyre(p, QRectF(37, 30, 38, 52), {4.0, 1.5, 3, 0.3, true, false});

    const QStringList latin{QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                            QStringLiteral("Sans")};
    const QStringList japanese{QStringLiteral("VL PGothic"), QStringLiteral("VL Gothic"),
                               QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Sans")};

    QFont title = makeFont(latin, 38, QFont::Bold);
    title.setLetterSpacing(QFont::AbsoluteSpacing, -0.6);
    const QString name = QStringLiteral("Lyrabox");
    const QPointF titleAt(104, 66);
    p.setFont(title);
    p.setPen(ink);
    p.drawText(titleAt, name);

    const qreal nameWidth = QFontMetricsF(title).horizontalAdvance(name);
    const QString three = QStringLiteral("3");
    const QPointF threeAt(titleAt.x() + nameWidth + 10, titleAt.y());
    const qreal threeWidth = QFontMetricsF(title).horizontalAdvance(three);
    QLinearGradient threeShade(threeAt + QPointF(0, -30), threeAt + QPointF(threeWidth, 0));
    threeShade.setColorAt(0.0, cyan);
    threeShade.setColorAt(1.0, violet);
    p.setPen(QPen(QBrush(threeShade), 0));
    p.drawText(threeAt, three);

    QFont subtitle = makeFont(japanese, 13, QFont::Normal);
    subtitle.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    p.setFont(subtitle);
    p.setPen(QColor(0xb4, 0xbe, 0xec));
    p.drawText(QPointF(106, 88), QStringLiteral("ミュージック プレーヤー"));

    QFont maker = makeFont(latin, 10, QFont::Bold);
    maker.setLetterSpacing(QFont::AbsoluteSpacing, 3.0);
    p.setFont(maker);
    p.setPen(QColor(0x9a, 0xa4, 0xd8));
    const QString makerName = QStringLiteral("MIRAVELT");
    // Trailing letter spacing would push the word off the right margin.
    const qreal makerWidth = QFontMetricsF(maker).horizontalAdvance(makerName) - 3.0;
    p.drawText(QPointF(376 - makerWidth, 230), makerName);
    p.end();

    // Fully painted, so no alpha channel is needed.
    return image.convertToFormat(QImage::Format_RGB32);
}

bool save(const QImage &image, const QDir &folder, const QString &name)
{
    const QString path = folder.filePath(name);
    if (!image.save(path, "PNG")) {
        QTextStream(stderr) << "make_artwork: cannot write " << path << '\n';
        return false;
    }
    QTextStream(stdout) << path << " (" << image.width() << 'x' << image.height() << ")\n";
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: make_artwork <output-folder>\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(folder.path())) {
        QTextStream(stderr) << "make_artwork: cannot create " << folder.path() << '\n';
        return 1;
    }

    bool ok = save(makeSplash(), folder, QStringLiteral("splash.png"));
    ok = save(makeIcon128(), folder, QStringLiteral("lyrabox3.png")) && ok;
    ok = save(makeIcon32(), folder, QStringLiteral("lyrabox3-32.png")) && ok;
    // The about window's 64-point icon, for screens at twice the density.
    ok = save(makeIcon128(128), folder, QStringLiteral("lyrabox3-64@2x.png")) && ok;
    ok = save(makeAboutBanner(1), folder, QStringLiteral("about-banner.png")) && ok;
    ok = save(makeAboutBanner(2), folder, QStringLiteral("about-banner@2x.png")) && ok;
    // The tray and window icon at every size a desktop asks for.
    for (const int size : {16, 24, 48, 64, 256}) {
        const QImage icon = size < 48 ? makeIcon32(size) : makeIcon128(size);
        ok = save(icon, folder, QStringLiteral("lyrabox3-%1.png").arg(size)) && ok;
    }
    for (const Artwork &art : skinArtwork()) {
        ok = save(art.image, folder, art.name + QStringLiteral(".png")) && ok;
    }
    return ok ? 0 : 1;
}
