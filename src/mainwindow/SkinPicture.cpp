#include "mainwindow/SkinPicture.h"

#include "platform/Artwork.h"

#include <QGuiApplication>
#include <QPainter>

#include <cmath>

QPixmap skinPicture(const QString &name)
{
    const QString base = QStringLiteral(":/artwork/") + name;
    if (qApp->devicePixelRatio() > 1.0) {
        QPixmap twice = platform::artworkPixmap(base + QStringLiteral("@2x.png"));
        if (!twice.isNull()) {
            twice.setDevicePixelRatio(2.0);
            return twice;
        }
    }
    return platform::artworkPixmap(base + QStringLiteral(".png"));
}

void drawSkinPicture(QPainter &painter, const QPixmap &picture)
{
    const qreal ratio = painter.device()->devicePixelRatioF();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, ratio != std::round(ratio));
    painter.drawPixmap(0, 0, picture);
}
