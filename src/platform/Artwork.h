#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>

namespace platform {

// One of the program's own PNG pictures (":/artwork/..."), read by Qt's own PNG reader.
// Asked plainly, Qt first loads every installed image plug-in (JPEG, GIF, icons, ...)
// to ask each whether it reads PNG: milliseconds and libraries at every start.
// A missing or broken picture gives a null one, as QImage's own loading does.
QImage artworkImage(const QString &path);
QPixmap artworkPixmap(const QString &path);

} // namespace platform
