#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusContext>
#include <QDBusObjectPath>
#include <QVariantMap>

class MprisRequests;

// org.mpris.MediaPlayer2.Player over the play control. The list is always
// shuffled and cannot be stepped back or sought in.
class MprisPlayerAdaptor : public QDBusAbstractAdaptor, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
    Q_PROPERTY(QString LoopStatus READ loopStatus WRITE setLoopStatus)
    Q_PROPERTY(double Rate READ rate)
    Q_PROPERTY(double MinimumRate READ rate)
    Q_PROPERTY(double MaximumRate READ rate)
    Q_PROPERTY(bool Shuffle READ shuffle)
    Q_PROPERTY(QVariantMap Metadata READ metadata)
    Q_PROPERTY(double Volume READ volume)
    Q_PROPERTY(qlonglong Position READ position)
    Q_PROPERTY(bool CanGoNext READ always)
    Q_PROPERTY(bool CanGoPrevious READ never)
    Q_PROPERTY(bool CanPlay READ always)
    Q_PROPERTY(bool CanPause READ always)
    Q_PROPERTY(bool CanSeek READ never)
    Q_PROPERTY(bool CanControl READ always)
public:
    MprisPlayerAdaptor(QObject *object, MprisRequests &service);

    QString playbackStatus() const;
    QString loopStatus() const;
    // "Track" and "None" switch 常時リピート; "Playlist" is ignored.
    void setLoopStatus(const QString &status);
    double rate() const { return 1.0; }
    bool shuffle() const { return true; }
    QVariantMap metadata() const;
    double volume() const { return 1.0; }
    qlonglong position() const;
    bool always() const { return true; }
    bool never() const { return false; }

public slots:
    void Next();
    // CanGoPrevious and CanSeek are false: these change nothing.
    void Previous() {}
    void Seek(qlonglong) {}
    void SetPosition(const QDBusObjectPath &, qlonglong) {}
    void Pause();
    void PlayPause();
    void Stop();
    void Play();
    void OpenUri(const QString &uri);

signals:
    void Seeked(qlonglong position);

private:
    MprisRequests &service_;
};
