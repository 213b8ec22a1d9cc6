#include "platform/Artwork.h"

#include <QImageReader>

namespace platform {

QImage artworkImage(const QString &path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QPixmap artworkPixmap(const QString &path)
{
    return QPixmap::fromImage(artworkImage(path));
}

} // namespace platform
