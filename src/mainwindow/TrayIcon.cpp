#include "mainwindow/TrayIcon.h"

#include <QApplication>
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
    // Queued: leaving the tray removes the icon, and with it the widget that is still
    // delivering the click.
    connect(icon_, &QSystemTrayIcon::activated, this, &TrayIcon::iconActivated, Qt::QueuedConnection);
}

void TrayIcon::iconActivated(int reason)
{
    if (reason == QSystemTrayIcon::Trigger) {
        // Some hosts activate once per click of a double click: that is still one click.
        const bool secondOfDouble =
            lastLeft_.isValid() && lastLeft_.elapsed() < QApplication::doubleClickInterval();
        lastLeft_.start();
        if (!secondOfDouble) {
            emit leftPressed();
        }
    } else if (reason == QSystemTrayIcon::Context) {
        emit rightPressed();
    }
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
