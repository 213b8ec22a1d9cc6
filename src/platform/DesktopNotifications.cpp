#include "platform/DesktopNotifications.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QUrl>

namespace platform {
namespace {

const QString AppName = QStringLiteral("Lyrabox 3");
const QString DesktopEntry = QStringLiteral("com.miravelt.Lyrabox3");
// The server's own default time on screen.
constexpr int ServerTimeout = -1;

} // namespace

DesktopNotifications::DesktopNotifications(QDBusConnection bus, QObject *parent)
    : QObject(parent), bus_(std::move(bus))
{
}

void DesktopNotifications::show(const QString &summary, const QString &body, const QString &imagePath)
{
    if (!bus_.isConnected()) {
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    QVariantMap hints{{QStringLiteral("desktop-entry"), DesktopEntry}};
    const QString image = imagePath.isEmpty() ? QString() : QUrl::fromLocalFile(imagePath).toString();
    if (!image.isEmpty()) {
        hints.insert(QStringLiteral("image-path"), image);
    }
    // Servers may read the body as markup.
    call << AppName << shownId_ << (image.isEmpty() ? DesktopEntry : image) << summary << body.toHtmlEscaped()
         << QStringList() << hints << ServerTimeout;
    auto *watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *done) {
        const QDBusPendingReply<uint> reply = *done;
        if (reply.isValid()) {
            shownId_ = reply.value();
        }
        done->deleteLater();
    });
}

} // namespace platform
