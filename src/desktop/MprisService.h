#pragma once

#include "desktop/MprisRequests.h"

#include <QDBusConnection>
#include <QObject>
#include <QTimer>
#include <QVariantMap>

class Form;
class MainForm;

// The player on the session bus as org.mpris.MediaPlayer2.lyrabox3, from the
// main window's load to its unload. A session without a bus leaves the player
// working without it.
class MprisService : public QObject, public MprisRequests {
    Q_OBJECT
public:
    static inline const QString ServiceName = QStringLiteral("org.mpris.MediaPlayer2.lyrabox3");
    static inline const QString ObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");

    explicit MprisService(QDBusConnection bus, QObject *parent = nullptr);
    ~MprisService() override;

    bool isRegistered() const { return registered_; }

    void post(std::function<void()> action) override;
    QVariantMap metadata() override;

private:
    void formLoaded(Form *form);
    void attach(MainForm &main);
    void detach();
    void checkSoon();
    QVariantMap playerProperties();
    void reportChanges();

    QDBusConnection bus_;
    QObject *object_;
    bool registered_ = false;
    // Coalesces every change of one turn of the event loop into one signal.
    QTimer check_;
    QVariantMap reported_;
    QString trackPath_;
    quint64 trackNumber_ = 0;
};
