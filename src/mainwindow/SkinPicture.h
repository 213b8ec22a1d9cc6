#pragma once

#include <QPixmap>
#include <QString>

class QPainter;

// A picture of the bundled artwork by name ("skin", "lamp-autoplay"); its
// double-size twin on screens that scale by more than one.
QPixmap skinPicture(const QString &name);

// Draws a skin picture at its place: pixel for pixel where the screen scales
// by a whole number, smoothed where it does not, as copying pixels would then
// drop whole rows and columns of the picture.
void drawSkinPicture(QPainter &painter, const QPixmap &picture);
