#include "desktop/PlayerRemote.h"

#include "app/Application.h"
#include "core/FormRegistry.h"
#include "core/SystemDataBox.h"
#include "mainwindow/MainForm.h"
#include "platform/FileNameCodec.h"
#include "platform/MediaChannel.h"
#include "playback/GetFileName.h"
#include "playback/MediaCommands.h"
#include "playback/PlayState.h"
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

} // namespace

bool playerLoaded()
{
    return mainForm() != nullptr && playListForm() != nullptr;
}

void play()
{
    if (MainForm *main = mainForm(); main && state() != Playing) {
        main->MusicPlay_Click();
    }
}

void pause()
{
    if (MainForm *main = mainForm(); main && state() == Playing) {
        main->MusicPlay_Click();
    }
}

void playPause()
{
    if (MainForm *main = mainForm()) {
        main->MusicPlay_Click();
    }
}

void stop()
{
    if (MainForm *main = mainForm(); main && trackOpen()) {
        main->MusicStop_Click();
    }
}

void next()
{
    MainForm *main = mainForm();
    if (main == nullptr) {
        return;
    }
    const PlayState::Hold oneChange;
    if (trackOpen()) {
        main->MusicStop_Click();
    }
    main->MusicPlay_Click();
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
    PlayListForm *list = playListForm();
    return list && list->AllMusicRepeat->isChecked() ? QStringLiteral("Track") : QStringLiteral("None");
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
    const auto length = MediaCommands::replyNumber(sys().MusicLength);
    return length && *length >= 0 ? std::optional<qint64>(static_cast<qint64>(*length)) : std::nullopt;
}

std::optional<qint64> positionMs()
{
    if (openTrack().isEmpty()) {
        return std::nullopt;
    }
    QByteArray reply(16, '\0');
    const QString command = QStringLiteral("status ") + MediaCommands::Alias + QStringLiteral(" position");
    if (platform::mciSendString(command, reply.data(), static_cast<int>(reply.size())) != 0) {
        return std::nullopt;
    }
    const auto position = MediaCommands::replyNumber(reply);
    return position && *position >= 0 ? std::optional<qint64>(static_cast<qint64>(*position)) : std::nullopt;
}

QVariantMap trackMetadata(const QString &path, std::optional<qint64> lengthMs)
{
    QVariantMap metadata;
    if (path.isEmpty()) {
        return metadata;
    }
    metadata.insert(QStringLiteral("xesam:title"), platform::visibleFileName(GetFileName(path)));
    // The bytes of the name, so that a name that is not UTF-8 still leads to its file.
    const QByteArray encoded = QUrl::toPercentEncoding(platform::encodeFileName(path), "/");
    metadata.insert(QStringLiteral("xesam:url"), QString::fromLatin1("file://" + encoded));
    if (lengthMs) {
        metadata.insert(QStringLiteral("mpris:length"), *lengthMs * 1000);
    }
    return metadata;
}

} // namespace PlayerRemote
