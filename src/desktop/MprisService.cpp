#include "desktop/MprisService.h"

#include "core/FormRegistry.h"
#include "desktop/MprisPlayerAdaptor.h"
#include "desktop/MprisRootAdaptor.h"
#include "desktop/PlayerRemote.h"
#include "mainwindow/MainForm.h"
#include "playback/PlayModes.h"
#include "playback/PlayState.h"
#include "playback/TrackDetailsReader.h"

#include <QDBusMessage>
#include <QDBusObjectPath>

namespace {
const QString PlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
}

MprisService::MprisService(QDBusConnection bus, QObject *parent)
    : QObject(parent), bus_(std::move(bus)), object_(new QObject(this))
{
    new MprisRootAdaptor(object_, *this);
    new MprisPlayerAdaptor(object_, *this);
    check_.setSingleShot(true);
    check_.setInterval(0);
    connect(&check_, &QTimer::timeout, this, &MprisService::reportChanges);
    connect(&FormRegistry::instance(), &FormRegistry::formLoaded, this, &MprisService::formLoaded);
    connect(&PlayState::instance(), &PlayState::changed, this, &MprisService::checkSoon);
    // The tags come a moment after the start: the metadata is announced again.
    connect(&TrackDetailsReader::instance(), &TrackDetailsReader::detailsRead, this,
            &MprisService::checkSoon);
    if (MainForm *main = FormRegistry::instance().find<MainForm>()) {
        attach(*main);
    }
}

MprisService::~MprisService()
{
    detach();
}

void MprisService::formLoaded(Form *form)
{
    if (auto *main = qobject_cast<MainForm *>(form)) {
        attach(*main);
    }
}

void MprisService::attach(MainForm &main)
{
    if (!bus_.isConnected() || registered_) {
        return;
    }
    if (!bus_.registerObject(ObjectPath, object_, QDBusConnection::ExportAdaptors)) {
        return;
    }
    if (!bus_.registerService(ServiceName)) {
        bus_.unregisterObject(ObjectPath);
        return;
    }
    registered_ = true;
    connect(&PlayModes::instance(), &PlayModes::changed, this, &MprisService::checkSoon);
    connect(&main, &Form::unloaded, this, &MprisService::detach);
    reported_ = playerProperties();
}

void MprisService::detach()
{
    if (!registered_) {
        return;
    }
    registered_ = false;
    bus_.unregisterService(ServiceName);
    bus_.unregisterObject(ObjectPath);
}

void MprisService::post(std::function<void()> action)
{
    QTimer::singleShot(0, this, [this, action = std::move(action)] {
        action();
        checkSoon();
    });
}

void MprisService::checkSoon()
{
    if (registered_ && !check_.isActive()) {
        check_.start();
    }
}

QVariantMap MprisService::metadata()
{
    const QString path = PlayerRemote::openTrack();
    if (path.isEmpty()) {
        trackPath_.clear();
        return {};
    }
    if (path != trackPath_) {
        trackPath_ = path;
        ++trackNumber_;
    }
    QVariantMap data = PlayerRemote::trackMetadata(path, PlayerRemote::lengthMs(),
                                                   TrackDetailsReader::instance().details(path));
    data.insert(QStringLiteral("mpris:trackid"),
                QVariant::fromValue(
                    QDBusObjectPath(QStringLiteral("/com/miravelt/Lyrabox3/track/%1").arg(trackNumber_))));
    return data;
}

// Position is left out: it moves all the time and clients poll it.
QVariantMap MprisService::playerProperties()
{
    return {
        {QStringLiteral("PlaybackStatus"), PlayerRemote::playbackStatus()},
        {QStringLiteral("LoopStatus"), PlayerRemote::loopStatus()},
        {QStringLiteral("Metadata"), metadata()},
    };
}

void MprisService::reportChanges()
{
    if (!registered_) {
        return;
    }
    const QVariantMap now = playerProperties();
    QVariantMap changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        if (reported_.value(it.key()) != it.value()) {
            changed.insert(it.key(), it.value());
        }
    }
    reported_ = now;
    if (changed.isEmpty()) {
        return;
    }
    QDBusMessage signal = QDBusMessage::createSignal(
        ObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"));
    signal << PlayerInterface << changed << QStringList();
    bus_.send(signal);
}
