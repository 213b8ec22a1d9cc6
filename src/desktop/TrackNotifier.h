#pragma once

#include "platform/DesktopNotifications.h"

#include <QObject>

struct TrackDetails;

// With 曲が変わったら通知する on, the desktop shows each track as it starts,
// unless the options window or a message box has the user's attention.
class TrackNotifier : public QObject {
    Q_OBJECT
public:
    explicit TrackNotifier(QDBusConnection bus, QObject *parent = nullptr);

private:
    void detailsRead(const QString &path, const TrackDetails &details);

    platform::DesktopNotifications notifications_;
};
