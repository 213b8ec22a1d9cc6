#include "mainwindow/ImageButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

ImageButton::ImageButton(Glyph glyph, QWidget *parent) : QLabel(parent), glyph_(glyph)
{
    setCursor(Qt::PointingHandCursor);
}

void ImageButton::mousePressEvent(QMouseEvent *event)
{
    held_ = true;
    update();
    emit pressed(event->button());
}

void ImageButton::mouseReleaseEvent(QMouseEvent *event)
{
    const bool wasHeld = held_;
    held_ = false;
    update();
    emit released(event->button());
    if (wasHeld && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

void ImageButton::paintEvent(QPaintEvent *event)
{
    if (!pixmap().isNull()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    paintGlyph(painter);
}

void ImageButton::paintGlyph(QPainter &painter) const
{
    const QRectF box = QRectF(rect()).adjusted(1, 1, -1, -1);
    const QColor face = !isEnabled() ? QColor(90, 96, 112)
                        : held_      ? QColor(120, 200, 255)
                                     : QColor(200, 214, 235);
    painter.setPen(QPen(face, 1.2));
    painter.setBrush(Qt::NoBrush);
    const QPointF c = box.center();
    const qreal r = std::min(box.width(), box.height()) / 2;
    switch (glyph_) {
    case Glyph::Play: {
        painter.drawEllipse(c, r, r);
        QPainterPath triangle;
        triangle.moveTo(c.x() - r * 0.3, c.y() - r * 0.45);
        triangle.lineTo(c.x() + r * 0.5, c.y());
        triangle.lineTo(c.x() - r * 0.3, c.y() + r * 0.45);
        triangle.closeSubpath();
        painter.fillPath(triangle, face);
        break;
    }
    case Glyph::Stop:
        painter.drawEllipse(c, r, r);
        painter.fillRect(QRectF(c.x() - r * 0.35, c.y() - r * 0.35, r * 0.7, r * 0.7), face);
        break;
    case Glyph::Menu:
        painter.drawRoundedRect(box, 4, 4);
        painter.drawText(box, Qt::AlignCenter, QStringLiteral("MENU"));
        break;
    case Glyph::Back:
        painter.drawRoundedRect(box, 3, 3);
        painter.drawLine(QPointF(c.x() - r * 0.4, c.y() + r * 0.3),
                         QPointF(c.x() + r * 0.4, c.y() + r * 0.3));
        break;
    case Glyph::Close:
        painter.drawRoundedRect(box, 3, 3);
        painter.drawLine(QPointF(c.x() - r * 0.35, c.y() - r * 0.35),
                         QPointF(c.x() + r * 0.35, c.y() + r * 0.35));
        painter.drawLine(QPointF(c.x() - r * 0.35, c.y() + r * 0.35),
                         QPointF(c.x() + r * 0.35, c.y() - r * 0.35));
        break;
    case Glyph::None:
        break;
    }
}
