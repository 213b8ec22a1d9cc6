#pragma once

#include <QDBusConnection>
#include <QObject>

namespace platform {

// The desktop's notification server (org.freedesktop.Notifications). Each
// notification takes the place of the one before, so only the latest shows.
class DesktopNotifications : public QObject {
    Q_OBJECT
public:
    explicit DesktopNotifications(QDBusConnection bus, QObject *parent = nullptr);

    // Never waits for the server; one that is not there shows nothing.
    void show(const QString &summary, const QString &body, const QString &imagePath);

private:
    QDBusConnection bus_;
    uint shownId_ = 0;
};

} // namespace platform
