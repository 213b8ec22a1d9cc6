#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QTimer>
#include <QVariantMap>
#include <functional>

class Form;
class MainForm;

// The player on the session bus as org.mpris.MediaPlayer2.lyrabox3, from the
// main window's load to its unload. A session without a bus leaves the player
// working without it.
class MprisService : public QObject {
    Q_OBJECT
public:
    static inline const QString ServiceName = QStringLiteral("org.mpris.MediaPlayer2.lyrabox3");
    static inline const QString ObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");

    explicit MprisService(QDBusConnection bus, QObject *parent = nullptr);
    ~MprisService() override;

    bool isRegistered() const { return registered_; }

    // Runs an action from the event loop, after the D-Bus reply has left (the
    // action may open a message box or end the program), then reports changes.
    void post(std::function<void()> action);
    // The open track's metadata with an id that stays the same while it is open.
    QVariantMap metadata();

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
