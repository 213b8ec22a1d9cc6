#include "desktop/PlayerRemote.h"

#include "app/Application.h"
#include "core/FormRegistry.h"
#include "mainwindow/MainForm.h"
#include "platform/FileNameCodec.h"
#include "playback/GetFileName.h"
#include "playback/MediaEngine.h"
#include "playback/PlayController.h"
#include "playback/PlayModes.h"
#include "playlist/PlayListForm.h"

#include <QAction>
#include <QUrl>

namespace PlayerRemote {
namespace {

MainForm *mainForm()
{
    return FormRegistry::instance().find<MainForm>();
}

PlayListForm *playListForm()
{
    return FormRegistry::instance().find<PlayListForm>();
}

using enum PlayState::State;

PlayState::State state()
{
    return PlayState::instance().state();
}

bool trackOpen()
{
    return PlayState::instance().trackOpen();
}

PlayController *controller()
{
    return mainForm() != nullptr ? &PlayController::instance() : nullptr;
}

// The bytes of the name, so that a name that is not UTF-8 still leads to its file.
QString fileUrl(const QString &path)
{
    return QString::fromLatin1("file://" + QUrl::toPercentEncoding(platform::encodeFileName(path), "/"));
}

} // namespace

bool playerLoaded()
{
    return mainForm() != nullptr && playListForm() != nullptr;
}

void play()
{
    if (PlayController *play = controller(); play && state() != Playing) {
        play->playOrPause();
    }
}

void pause()
{
    if (PlayController *play = controller(); play && state() == Playing) {
        play->playOrPause();
    }
}

void playPause()
{
    if (PlayController *play = controller()) {
        play->playOrPause();
    }
}

void stop()
{
    if (PlayController *play = controller(); play && trackOpen()) {
        play->stop();
    }
}

void next()
{
    if (PlayController *play = controller()) {
        play->next();
    }
}

void raise()
{
    MainForm *main = mainForm();
    if (main == nullptr) {
        return;
    }
    // Hidden while loaded means it sits in the tray.
    if (!main->isVisible()) {
        if (PlayListForm *list = playListForm()) {
            list->TasktrayEnd();
        }
    }
    main->show();
    main->raise();
    main->activateWindow();
}

void quit()
{
    Application::endAfterOpenMessages();
}

void setRepeatTrack(bool on)
{
    PlayListForm *list = playListForm();
    if (list && list->AllMusicRepeat->isChecked() != on) {
        list->AllMusicRepeat->trigger();
    }
}

QString playbackStatus()
{
    switch (state()) {
    case Playing:
        return QStringLiteral("Playing");
    case Paused:
        return QStringLiteral("Paused");
    default:
        return QStringLiteral("Stopped");
    }
}

QString loopStatus()
{
    return PlayModes::instance().isOn(PlayModes::Mode::AllMusicRepeat) ? QStringLiteral("Track")
                                                                       : QStringLiteral("None");
}

QString openTrack()
{
    return PlayState::instance().track();
}

std::optional<qint64> lengthMs()
{
    if (openTrack().isEmpty()) {
        return std::nullopt;
    }
    const auto length = MediaEngine::instance().lengthMs();
    return length && *length >= 0 ? length : std::nullopt;
}

std::optional<qint64> positionMs()
{
    if (openTrack().isEmpty()) {
        return std::nullopt;
    }
    const auto position = MediaEngine::instance().position();
    return position && *position >= 0 ? position : std::nullopt;
}

QVariantMap trackMetadata(const QString &path, std::optional<qint64> lengthMs,
                          const std::optional<TrackDetails> &details)
{
    QVariantMap metadata;
    if (path.isEmpty()) {
        return metadata;
    }
    const TrackDetails known = details.value_or(TrackDetails{});
    metadata.insert(QStringLiteral("xesam:title"),
                    known.title.isEmpty() ? platform::visibleFileName(GetFileName(path)) : known.title);
    metadata.insert(QStringLiteral("xesam:url"), fileUrl(path));
    if (lengthMs) {
        metadata.insert(QStringLiteral("mpris:length"), *lengthMs * 1000);
    }
    if (!known.artists.isEmpty()) {
        metadata.insert(QStringLiteral("xesam:artist"), known.artists);
    }
    if (!known.album.isEmpty()) {
        metadata.insert(QStringLiteral("xesam:album"), known.album);
    }
    if (known.trackNumber > 0) {
        metadata.insert(QStringLiteral("xesam:trackNumber"), known.trackNumber);
    }
    if (!known.artPath.isEmpty()) {
        metadata.insert(QStringLiteral("mpris:artUrl"), fileUrl(known.artPath));
    }
    return metadata;
}

} // namespace PlayerRemote
