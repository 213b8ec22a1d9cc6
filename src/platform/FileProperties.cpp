#include "platform/FileProperties.h"

#include "platform/FileNameCodec.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QTimer>
#include <QUrl>

namespace platform {
namespace {

// Percent-encoded from the real bytes, so names that are not UTF-8 still arrive.
QString fileUri(const QString &path)
{
    return QStringLiteral("file://") +
           QString::fromLatin1(QUrl::toPercentEncoding(encodeFileName(path), "/"));
}

} // namespace

void showItemProperties(const QString &path, QObject *context, std::function<void()> fallback, int timeoutMs)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        QTimer::singleShot(0, context, std::move(fallback));
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItemProperties"));
    call << QStringList{fileUri(path)} << QString();
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, timeoutMs), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                     [watcher, fallback = std::move(fallback)] {
                         if (watcher->isError()) {
                             fallback();
                         }
                         watcher->deleteLater();
                     });
}

} // namespace platform
