// The main window's skin, its buttons, lamps and bars, at 1x and 2x.
#include "skin_artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <functional>

namespace {

// The skin's top-left colour: everything of this colour is cut out of the window.
const QColor keyColour(255, 0, 255);
const QColor panelColour(0x12, 0x17, 0x20);
const QColor rimColour(0x1c, 0x20, 0x28);
const QColor glyphCyan(0x7d, 0xe3, 0xff);

using Drawing = std::function<void(QPainter &)>;

QImage render(QSize size, int scale, const Drawing &draw)
{
    QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        // Drawn at 96 dpi: a font's letter spacing follows the device's dpi, so
        // at 192 dpi it would count twice on top of the painter's scale.
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.scale(scale, scale);
        draw(p);
    }
    image.setDotsPerMeterX(3780 * scale);
    image.setDotsPerMeterY(3780 * scale);
    return image;
}

QColor alpha(QColor c, int a)
{
    c.setAlpha(a);
    return c;
}

QPainterPath bodyOutline()
{
    QPainterPath body;
    body.addEllipse(QRectF(0, 0, 88, 88)); // the play button's disc
    body.addRoundedRect(QRectF(30, 2, 225, 88), 14, 14);
    body.addRoundedRect(QRectF(206, 0, 49, 24), 7, 7);   // cap of the two small buttons
    body.addRoundedRect(QRectF(146, 66, 109, 43), 9, 9); // tab of the menu button
    body.setFillRule(Qt::WindingFill);
    QPainterPath notch;
    notch.addEllipse(QRectF(99, 82, 30, 30)); // a bite out of the lower edge
    return body.simplified().subtracted(notch);
}

QPainterPath displayPanel()
{
    QPainterPath panel;
    panel.moveTo(82, 4);
    panel.lineTo(203, 4);
    panel.quadTo(207, 4, 207, 8);
    panel.lineTo(207, 16);
    panel.quadTo(207, 20, 211, 20);
    panel.lineTo(248, 20);
    panel.quadTo(252, 20, 252, 24);
    panel.lineTo(252, 66);
    panel.quadTo(252, 70, 248, 70);
    panel.lineTo(82, 70);
    panel.quadTo(76, 70, 76, 64);
    panel.lineTo(76, 10);
    panel.quadTo(76, 4, 82, 4);
    return panel;
}

void drawBody(QPainter &p)
{
    const QPainterPath body = bodyOutline();
    QLinearGradient metal(0, 0, 0, 109);
    metal.setColorAt(0.0, QColor(0x5d, 0x66, 0x75));
    metal.setColorAt(0.45, QColor(0x3a, 0x41, 0x4d));
    metal.setColorAt(1.0, QColor(0x22, 0x27, 0x2f));
    p.fillPath(body, metal);
    // Fine horizontal brushing.
    p.save();
    p.setClipPath(body);
    for (int y = 0; y < 109; y += 2) {
        p.fillRect(QRectF(0, y, 255, 1), alpha(Qt::white, (y * 37) % 7 + 4));
    }
    QRadialGradient sheen(60, 10, 150);
    sheen.setColorAt(0, alpha(Qt::white, 50));
    sheen.setColorAt(1, alpha(Qt::white, 0));
    p.fillPath(body, sheen);
    p.restore();
    // Bevel: light from the top left.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(alpha(Qt::white, 70), 1.2));
    p.drawPath(body.translated(0.6, 0.6).intersected(body));
    p.setPen(QPen(QColor(0x0c, 0x0e, 0x12), 1.0));
    p.drawPath(body);
}

void drawPanel(QPainter &p)
{
    const QPainterPath panel = displayPanel();
    p.setPen(QPen(alpha(Qt::white, 60), 1.0));
    p.drawPath(panel.translated(0.5, 0.8));
    p.fillPath(panel, panelColour);
    QLinearGradient glass(0, 4, 0, 70);
    glass.setColorAt(0, alpha(QColor(0x6a, 0x8a, 0xb0), 40));
    glass.setColorAt(0.5, alpha(QColor(0x6a, 0x8a, 0xb0), 8));
    glass.setColorAt(1, alpha(QColor(0x6a, 0x8a, 0xb0), 0));
    p.fillPath(panel, glass);
    p.setPen(QPen(QColor(0x05, 0x07, 0x0a), 1.0));
    p.drawPath(panel);
    // The status words come in dark red and dark green: they sit on a light plate.
    QLinearGradient plate(0, 50, 0, 63);
    plate.setColorAt(0, QColor(0xf2, 0xf4, 0xf0));
    plate.setColorAt(1, QColor(0xd6, 0xdc, 0xd6));
    p.setPen(QPen(QColor(0x05, 0x07, 0x0a), 0.8));
    p.setBrush(plate);
    p.drawRoundedRect(QRectF(222.5, 50, 28, 12.5), 2.5, 2.5);
    // Groove of the progress bar.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x05, 0x07, 0x0a));
    p.drawRoundedRect(QRectF(79, 63, 171, 5), 2, 2);
}

void drawSocket(QPainter &p, QPointF centre, qreal radius)
{
    QRadialGradient socket(centre, radius);
    socket.setColorAt(0.8, QColor(0x0a, 0x0c, 0x10));
    socket.setColorAt(1.0, alpha(QColor(0x0a, 0x0c, 0x10), 0));
    p.setPen(Qt::NoPen);
    p.setBrush(socket);
    p.drawEllipse(centre, radius, radius);
}

void drawSkin(QPainter &p)
{
    drawBody(p);
    drawPanel(p);
    drawSocket(p, {43, 35.5}, 30);
    drawSocket(p, {58.5, 68.5}, 14.5);
    // Speaker grille on the left of the menu tab.
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 5; ++col) {
            const QPointF c(20 + col * 5 + (row % 2) * 2.5, 83 + row * 5);
            if (bodyOutline().contains(c)) {
                p.setBrush(QColor(0x10, 0x12, 0x16));
                p.drawEllipse(c, 1.4, 1.4);
            }
        }
    }
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(7);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
    p.setFont(font);
    p.setPen(alpha(Qt::white, 120));
    p.drawText(QPointF(86, 83), QStringLiteral("LYRABOX"));
    p.setPen(glyphCyan);
    p.drawText(QPointF(134, 83), QStringLiteral("3"));
}

// The 1x skin is cut to whole pixels: a pixel is opaque where the outline covers
// at least half of it; the rest, and the 2x pixels outside that mask, get the key colour.
QImage makeSkinImage(int scale, const QImage &mask)
{
    QImage art = render({255, 109}, scale, drawSkin);
    QImage out(art.size(), QImage::Format_RGB32);
    out.setDotsPerMeterX(art.dotsPerMeterX());
    out.setDotsPerMeterY(art.dotsPerMeterY());
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            const QColor c = art.pixelColor(x, y);
            const bool opaque =
                mask.isNull() ? c.alpha() >= 128 : mask.pixelColor(x / scale, y / scale) != keyColour;
            if (!opaque) {
                out.setPixelColor(x, y, keyColour);
                continue;
            }
            const qreal a = c.alphaF();
            out.setPixelColor(x, y,
                              QColor::fromRgbF(c.redF() * a + rimColour.redF() * (1 - a),
                                               c.greenF() * a + rimColour.greenF() * (1 - a),
                                               c.blueF() * a + rimColour.blueF() * (1 - a)));
        }
    }
    // Never the key colour by accident inside the body.
    return out;
}

enum class ButtonState { Out, In, Down };

void drawRoundButton(QPainter &p, QRectF box, ButtonState state,
                     const std::function<void(QPainter &, QPointF, qreal)> &glyph)
{
    const QPointF c = box.center();
    const qreal r = std::min(box.width(), box.height()) / 2 - 0.5;
    const bool down = state == ButtonState::Down;
    QLinearGradient rim(box.topLeft(), box.bottomLeft());
    rim.setColorAt(0, down ? QColor(0x30, 0x36, 0x40) : QColor(0xe8, 0xec, 0xf2));
    rim.setColorAt(1, down ? QColor(0xb8, 0xc0, 0xcc) : QColor(0x48, 0x50, 0x5c));
    p.setPen(QPen(QColor(0x08, 0x0a, 0x0e), 0.8));
    p.setBrush(rim);
    p.drawEllipse(c, r, r);
    const qreal face = r * 0.84;
    QRadialGradient faceShade(c + QPointF(-face * 0.3, -face * 0.4), face * 1.6);
    faceShade.setColorAt(0, down ? QColor(0x22, 0x27, 0x30) : QColor(0x4a, 0x53, 0x62));
    faceShade.setColorAt(1, down ? QColor(0x10, 0x12, 0x18) : QColor(0x1a, 0x1e, 0x26));
    p.setPen(Qt::NoPen);
    p.setBrush(faceShade);
    p.drawEllipse(c, face, face);
    if (state == ButtonState::In) {
        p.setPen(QPen(alpha(glyphCyan, 150), std::max(1.0, r / 14)));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, face - 1, face - 1);
    }
    const QPointF at = down ? c + QPointF(0.6, 0.8) : c;
    const QColor ink = state == ButtonState::In ? QColor(0xd4, 0xf6, 0xff)
                       : down                   ? glyphCyan.darker(130)
                                                : glyphCyan;
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    glyph(p, at, face);
}

void playPauseGlyph(QPainter &p, QPointF c, qreal r)
{
    QPainterPath triangle;
    triangle.moveTo(c.x() - r * 0.42, c.y() - r * 0.36);
    triangle.lineTo(c.x() + r * 0.12, c.y());
    triangle.lineTo(c.x() - r * 0.42, c.y() + r * 0.36);
    triangle.closeSubpath();
    p.drawPath(triangle);
    p.drawRect(QRectF(c.x() + r * 0.2, c.y() - r * 0.34, r * 0.12, r * 0.68));
    p.drawRect(QRectF(c.x() + r * 0.4, c.y() - r * 0.34, r * 0.12, r * 0.68));
}

void stopGlyph(QPainter &p, QPointF c, qreal r)
{
    p.drawRoundedRect(QRectF(c.x() - r * 0.4, c.y() - r * 0.4, r * 0.8, r * 0.8), r * 0.1, r * 0.1);
}

void drawMenuButton(QPainter &p, ButtonState state)
{
    const QRectF box(0.5, 0.5, 88, 14);
    const bool down = state == ButtonState::Down;
    QLinearGradient face(0, 0, 0, 15);
    face.setColorAt(0, down ? QColor(0x1a, 0x1e, 0x26) : QColor(0x5c, 0x66, 0x76));
    face.setColorAt(1, down ? QColor(0x38, 0x40, 0x4c) : QColor(0x24, 0x29, 0x32));
    p.setPen(QPen(QColor(0x08, 0x0a, 0x0e), 1.0));
    p.setBrush(face);
    p.drawRoundedRect(box, 7, 7);
    p.setPen(QPen(alpha(Qt::white, down ? 20 : 80), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(box.adjusted(1, 1, -1, -1), 6, 6);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(8);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    p.setFont(font);
    p.setPen(state == ButtonState::In ? QColor(0xd4, 0xf6, 0xff) : down ? glyphCyan.darker(130) : glyphCyan);
    p.drawText(box.translated(down ? 0.6 : 0, down ? 0.8 : 0), Qt::AlignCenter,
               QStringLiteral("MENU \u25be"));
}

void drawSmallButton(QPainter &p, bool close)
{
    drawRoundButton(p, QRectF(0, 0, 17, 17), ButtonState::Out, [close](QPainter &g, QPointF c, qreal) {
        g.setBrush(Qt::NoBrush);
        g.setPen(QPen(close ? QColor(0xff, 0x9a, 0x9a) : glyphCyan, 1.4, Qt::SolidLine, Qt::RoundCap));
        if (close) {
            g.drawLine(c + QPointF(-3, -3), c + QPointF(3, 3));
            g.drawLine(c + QPointF(-3, 3), c + QPointF(3, -3));
        } else {
            // Down to the back: an arrow onto a bar.
            g.drawLine(c + QPointF(0, -3.5), c + QPointF(0, 1.5));
            g.drawLine(c + QPointF(-2.5, -0.8), c + QPointF(0, 1.7));
            g.drawLine(c + QPointF(2.5, -0.8), c + QPointF(0, 1.7));
            g.drawLine(c + QPointF(-3.5, 3.8), c + QPointF(3.5, 3.8));
        }
    });
}

QPainterPath loopArrow(QPointF c, qreal r)
{
    QPainterPath loop;
    loop.arcMoveTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 60);
    loop.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 60, 290);
    return loop;
}

// Each lamp: a symbol lit in its own colour on a dark cell.
void drawLamp(QPainter &p, int kind)
{
    const QColor colours[] = {QColor(0x9c, 0xe6, 0x5a), QColor(0x5a, 0xd2, 0xff), QColor(0xff, 0xd5, 0x4a),
                              QColor(0xff, 0x6e, 0x6e), QColor(0xc6, 0x8c, 0xff), QColor(0xff, 0x8c, 0xc8),
                              QColor(0x4a, 0xe0, 0xc8)};
    const QColor ink = colours[kind];
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1e, 0x25, 0x30));
    p.drawRoundedRect(QRectF(0.5, 0.5, 11, 11), 2.5, 2.5);
    const QPointF c(6, 6);
    QPen pen(ink, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    switch (kind) {
    case 0: // starts with the desktop: power
        p.drawArc(QRectF(2.5, 3, 7, 7), 120 * 16, 300 * 16);
        p.drawLine(QPointF(6, 2), QPointF(6, 6));
        break;
    case 1: { // auto-play: "A" and a play triangle
        p.drawLine(QPointF(2, 9.5), QPointF(4, 2.5));
        p.drawLine(QPointF(4, 2.5), QPointF(6, 9.5));
        p.drawLine(QPointF(2.8, 7), QPointF(5.2, 7));
        QPainterPath t;
        t.moveTo(7.2, 4);
        t.lineTo(10.5, 6.5);
        t.lineTo(7.2, 9);
        t.closeSubpath();
        p.fillPath(t, ink);
        break;
    }
    case 2: // always on top: a bar over stacked windows
        p.drawLine(QPointF(2, 2.5), QPointF(10, 2.5));
        p.drawRect(QRectF(3.5, 5, 5, 4.5));
        break;
    case 3: // close after this track: a cross
        p.drawLine(QPointF(3, 3), QPointF(9, 9));
        p.drawLine(QPointF(3, 9), QPointF(9, 3));
        break;
    case 4:   // endless repeat: a loop
    case 5: { // one-time repeat: a loop with a 1
        p.drawPath(loopArrow(c, 3.8));
        QPainterPath head;
        head.moveTo(7.6, 1.6);
        head.lineTo(10.6, 2.4);
        head.lineTo(8.6, 4.8);
        head.closeSubpath();
        p.fillPath(head, ink);
        if (kind == 5) {
            QPen thin(ink, 1.1);
            p.setPen(thin);
            p.drawLine(QPointF(6, 4.2), QPointF(6, 8));
            p.drawLine(QPointF(5, 5), QPointF(6, 4.2));
        }
        break;
    }
    case 6: // list backup: a disk
        p.drawRoundedRect(QRectF(2.5, 2.5, 7, 7), 1, 1);
        p.fillRect(QRectF(4, 2.5, 4, 2.5), ink);
        p.fillRect(QRectF(4, 7, 4, 2.5), ink);
        break;
    default:
        break;
    }
}

void drawInfoCover(QPainter &p)
{
    p.fillRect(QRectF(0, 0, 113, 12), panelColour);
    p.fillRect(QRectF(0, 0, 113, 12), alpha(QColor(0x6a, 0x8a, 0xb0), 30));
}

void drawBar(QPainter &p, bool base)
{
    if (base) {
        p.fillRect(QRectF(0, 0, 169, 3), QColor(0x26, 0x2e, 0x3a));
        return;
    }
    QLinearGradient bar(0, 0, 169, 0);
    bar.setColorAt(0, QColor(0x4f, 0xc3, 0xf7));
    bar.setColorAt(1, QColor(0xa0, 0x82, 0xff));
    p.fillRect(QRectF(0, 0, 169, 3), bar);
    p.fillRect(QRectF(0, 0, 169, 1), alpha(Qt::white, 90));
}

} // namespace

QList<Artwork> skinArtwork()
{
    QList<Artwork> pictures;
    const auto add = [&](const QString &name, QSize size, const Drawing &draw) {
        pictures.append({name, render(size, 1, draw)});
        pictures.append({name + QStringLiteral("@2x"), render(size, 2, draw)});
    };
    const QImage skin = makeSkinImage(1, {});
    pictures.append({QStringLiteral("skin"), skin});
    pictures.append({QStringLiteral("skin@2x"), makeSkinImage(2, skin)});

    const QString states[] = {QStringLiteral("out"), QStringLiteral("in"), QStringLiteral("down")};
    for (int s = 0; s < 3; ++s) {
        const auto state = static_cast<ButtonState>(s);
        add(QStringLiteral("music-play-") + states[s], {54, 55},
            [state](QPainter &p) { drawRoundButton(p, QRectF(0, 0.5, 54, 54), state, playPauseGlyph); });
        add(QStringLiteral("music-stop-") + states[s], {25, 25},
            [state](QPainter &p) { drawRoundButton(p, QRectF(0, 0, 25, 25), state, stopGlyph); });
        add(QStringLiteral("folder-setup-") + states[s], {93, 15},
            [state](QPainter &p) { drawMenuButton(p, state); });
    }
    add(QStringLiteral("front-form"), {17, 17}, [](QPainter &p) { drawSmallButton(p, false); });
    add(QStringLiteral("exit-program"), {17, 17}, [](QPainter &p) { drawSmallButton(p, true); });
    const QString lamps[] = {QStringLiteral("autostart"),  QStringLiteral("autoplay"),
                             QStringLiteral("on-top"),     QStringLiteral("this-music-exit"),
                             QStringLiteral("all-repeat"), QStringLiteral("one-repeat"),
                             QStringLiteral("list-backup")};
    for (int i = 0; i < 7; ++i) {
        add(QStringLiteral("lamp-") + lamps[i], {12, 12}, [i](QPainter &p) { drawLamp(p, i); });
    }
    add(QStringLiteral("info-cover"), {113, 12}, drawInfoCover);
    add(QStringLiteral("progress-bar"), {169, 3}, [](QPainter &p) { drawBar(p, false); });
    add(QStringLiteral("progress-base"), {169, 3}, [](QPainter &p) { drawBar(p, true); });
    return pictures;
}
