#include "desktop/MprisPlayerAdaptor.h"

#include "desktop/MprisRequests.h"
#include "desktop/PlayerRemote.h"

#include <QDBusError>

MprisPlayerAdaptor::MprisPlayerAdaptor(QObject *object, MprisRequests &service)
    : QDBusAbstractAdaptor(object), service_(service)
{
}

QString MprisPlayerAdaptor::playbackStatus() const
{
    return PlayerRemote::playbackStatus();
}

QString MprisPlayerAdaptor::loopStatus() const
{
    return PlayerRemote::loopStatus();
}

// Qt gives a property's setter no way to answer with an error, so any other
// value ("Playlist": the list is dealt anew, never repeated) changes nothing.
void MprisPlayerAdaptor::setLoopStatus(const QString &status)
{
    if (status == QLatin1String("Track") || status == QLatin1String("None")) {
        const bool on = status == QLatin1String("Track");
        service_.post([on] { PlayerRemote::setRepeatTrack(on); });
    }
}

QVariantMap MprisPlayerAdaptor::metadata() const
{
    return service_.metadata();
}

qlonglong MprisPlayerAdaptor::position() const
{
    return PlayerRemote::positionMs().value_or(0) * 1000;
}

void MprisPlayerAdaptor::Next()
{
    service_.post(PlayerRemote::next);
}

void MprisPlayerAdaptor::Pause()
{
    service_.post(PlayerRemote::pause);
}

void MprisPlayerAdaptor::PlayPause()
{
    service_.post(PlayerRemote::playPause);
}

void MprisPlayerAdaptor::Stop()
{
    service_.post(PlayerRemote::stop);
}

void MprisPlayerAdaptor::Play()
{
    service_.post(PlayerRemote::play);
}

void MprisPlayerAdaptor::OpenUri(const QString &)
{
    sendErrorReply(QDBusError::NotSupported, QStringLiteral("Lyrabox 3 plays the files of its own folders"));
}
