#pragma once

#include <QPixmap>
#include <QString>

// A picture of the bundled artwork by name ("skin", "lamp-autoplay"); its
// double-size twin on screens that scale by more than one.
QPixmap skinPicture(const QString &name);
