#include "mainwindow/ImageButton.h"

#include "mainwindow/SkinPicture.h"

#include <QMouseEvent>
#include <QPainter>

#include <utility>

ImageButton::ImageButton(const QString &picture, bool threeStates, QWidget *parent) : QWidget(parent)
{
    if (threeStates) {
        pictures_[Out] = skinPicture(picture + QStringLiteral("-out"));
        pictures_[In] = skinPicture(picture + QStringLiteral("-in"));
        pictures_[Down] = skinPicture(picture + QStringLiteral("-down"));
    } else {
        pictures_[Out] = pictures_[In] = pictures_[Down] = skinPicture(picture);
    }
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
}

void ImageButton::showPicture(Picture picture)
{
    if (shown_ != picture) {
        shown_ = picture;
        update();
    }
}

void ImageButton::mousePressEvent(QMouseEvent *)
{
    pressed_ = true;
    showPicture(Down);
}

void ImageButton::mouseMoveEvent(QMouseEvent *event)
{
    // Held, it keeps its pressed picture; dragged off, it keeps the mouse, but
    // that is not a move over it.
    if (pressed_ || !rect().contains(event->position().toPoint())) {
        return;
    }
    emit hovered();
    showPicture(In);
}

void ImageButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click shows and reports as a press, but its
    // release clicks nothing: the first one has already clicked.
    secondOfDouble_ = true;
    mousePressEvent(event);
}

void ImageButton::mouseReleaseEvent(QMouseEvent *event)
{
    const bool wasHeld = std::exchange(pressed_, false);
    const bool secondOfDouble = std::exchange(secondOfDouble_, false);
    emit released(event->button(), event->globalPosition().toPoint());
    if (wasHeld && !secondOfDouble && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

void ImageButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawSkinPicture(painter, pictures_[shown_]);
}
