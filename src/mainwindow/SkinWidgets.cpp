#include "mainwindow/SkinWidgets.h"

#include "mainwindow/SkinPicture.h"

#include <QPainter>

Lamp::Lamp(const QString &picture, QWidget *parent) : QWidget(parent), picture_(skinPicture(picture)) {}

void Lamp::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawSkinPicture(painter, picture_);
}

ProgressBar::ProgressBar(const QString &picture, QWidget *parent)
    : QWidget(parent), picture_(skinPicture(picture))
{
}

void ProgressBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), picture_);
}
