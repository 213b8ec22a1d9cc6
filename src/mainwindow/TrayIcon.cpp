#include "mainwindow/TrayIcon.h"

#include <QSystemTrayIcon>

TrayIcon::TrayIcon(QObject *parent) : QObject(parent)
{
    QIcon picture;
    for (const int size : {16, 24, 32, 48, 64, 256}) {
        picture.addFile(QStringLiteral(":/artwork/lyrabox3-%1.png").arg(size));
    }
    picture.addFile(QStringLiteral(":/artwork/lyrabox3.png"));
    icon_ = new QSystemTrayIcon(picture, this);
    icon_->setObjectName(QStringLiteral("TasktrayImage"));
    icon_->setToolTip(QStringLiteral("MIRAVELT Lyrabox 3"));
    connect(icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        // A double click has already sent its first press as Trigger.
        if (reason == QSystemTrayIcon::Trigger) {
            emit leftPressed();
        } else if (reason == QSystemTrayIcon::Context) {
            emit rightPressed();
        }
    });
}

bool TrayIcon::available()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::add()
{
    icon_->show();
}

void TrayIcon::remove()
{
    icon_->hide();
}

bool TrayIcon::isShown() const
{
    return icon_->isVisible();
}
