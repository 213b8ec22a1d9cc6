#include "platform/TrayIcon.h"

#include "platform/Artwork.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QMenu>
#include <QSystemTrayIcon>

namespace {

// Qt puts the icon on the session bus, as a status notifier item, when such a host is there.
bool statusNotifierHostOnBus()
{
    const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(watcher)) {
        return false;
    }
    // A plain property read: an interface object would introspect the watcher first.
    QDBusMessage get = QDBusMessage::createMethodCall(watcher, QStringLiteral("/StatusNotifierWatcher"),
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get << watcher << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusMessage reply = bus.call(get);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
           reply.arguments().first().value<QDBusVariant>().variant().toBool();
}

} // namespace

TrayIcon::TrayIcon(QObject *parent) : QObject(parent)
{
    QIcon picture;
    for (const int size : {16, 24, 32, 48, 64, 256}) {
        picture.addPixmap(platform::artworkPixmap(QStringLiteral(":/artwork/lyrabox3-%1.png").arg(size)));
    }
    picture.addPixmap(platform::artworkPixmap(QStringLiteral(":/artwork/lyrabox3.png")));
    icon_ = new QSystemTrayIcon(picture, this);
    icon_->setObjectName(QStringLiteral("TasktrayImage"));
    icon_->setToolTip(QStringLiteral("MIRAVELT Lyrabox 3"));
    // Queued: leaving the tray removes the icon, and with it the widget that is still
    // delivering the click.
    connect(icon_, &QSystemTrayIcon::activated, this, &TrayIcon::iconActivated, Qt::QueuedConnection);
    if (statusNotifierHostOnBus()) {
        openMenuOnRightPress();
    }
}

TrayIcon::~TrayIcon()
{
    // Before the menu it shows.
    delete icon_;
}

// Many status notifier hosts open the item's menu on a right click instead of telling the item
// of the click: the icon gets an empty menu, and its opening is the right press.
void TrayIcon::openMenuOnRightPress()
{
    menu_ = std::make_unique<QMenu>();
    icon_->setContextMenu(menu_.get());
    connect(
        menu_.get(), &QMenu::aboutToShow, this,
        [this] {
            // A host that came after the widget library chose the embedded icon: no empty pop-up.
            if (menu_->isVisible()) {
                menu_->close();
            }
            iconActivated(QSystemTrayIcon::Context);
        },
        Qt::QueuedConnection);
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
