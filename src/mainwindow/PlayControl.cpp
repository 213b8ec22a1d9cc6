#include "core/FormRegistry.h"
#include "core/SystemDataBox.h"
#include "mainwindow/ImageButton.h"
#include "mainwindow/MainCounter.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/SkinWidgets.h"
#include "platform/FileNameCodec.h"
#include "platform/MessageBox.h"
#include "playback/AbsentDrive.h"
#include "playback/GetFileName.h"
#include "playback/MediaCommands.h"
#include "playback/MediaFailure.h"
#include "playback/PlayState.h"
#include "playback/TextColour.h"
#include "playback/TimeText.h"
#include "playlist/PlayListForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <sys/stat.h>

namespace {

PlayListForm *playListForm()
{
    return FormRegistry::instance().find<PlayListForm>();
}

} // namespace

void MainForm::setStatus(const QString &caption, const QColor &colour)
{
    QPalette p = StatusLabel->palette();
    p.setColor(QPalette::WindowText, colour);
    StatusLabel->setPalette(p);
    StatusLabel->setText(caption);
}

// Whatever way a dispatch goes, it ends by recording the play state, and the
// outermost one says once what changed.
void MainForm::MusicPlay_Click()
{
    const PlayState::Hold hold;
    dispatch();
    recordPlayState();
}

bool MainForm::trackOpen()
{
    return sys().PlayCommand == 2 || sys().PlayCommand == 3;
}

void MainForm::recordPlayState()
{
    using enum PlayState::State;
    const std::uint8_t code = sys().PlayCommand;
    PlayState::instance().set(code == 2 ? Playing : code == 3 ? Paused : Stopped, sys().MusicFileName);
}

void MainForm::dispatch()
{
    setStatus(QStringLiteral("Wait."), StatusDarkRed);
    switch (sys().PlayCommand) {
    case 1:
        if (!playNextFile()) {
            return;
        }
        break;
    case 2:
        MediaCommands::send(QStringLiteral("pause MusicMedia"));
        StatusLabel->setText(QStringLiteral("Stop."));
        sys().PlayCommand = 3;
        break;
    case 3:
        MediaCommands::send(QStringLiteral("resume MusicMedia"));
        setStatus(QStringLiteral("Play."), StatusDarkGreen);
        sys().PlayCommand = 2;
        break;
    case 4:
        stopTrack();
        break;
    default:
        return;
    }
    showRestCounter();
}

void MainForm::MusicStop_Click()
{
    sys().PlayCommand = 4;
    MusicPlay_Click();
}

void MainForm::MusicPlayCallSys()
{
    if (PlayState::instance().trackOpen()) {
        MusicStop_Click();
    } else {
        MusicPlay_Click();
    }
}

// Takes files from the head of the list until one starts. Missing files are
// dropped in a loop, so a long list of them cannot exhaust the stack; a file on
// a drive that is away stops the player with the list as it is.
bool MainForm::playNextFile()
{
    PlayListForm *list = playListForm();
    if (list == nullptr) {
        return false;
    }
    const bool byItself = std::exchange(advancingByItself_, false);
    bool renewed = false;
    for (;;) {
        const QString next = list->PlayList->at(0);
        if (next.isEmpty()) {
            StatusLabel->setText(QStringLiteral("Stop."));
            // A renewal that brought nothing playable last time is not repeated
            // by itself: the player stops instead of cycling for ever.
            if (renewed || (byItself && !openedSinceRenewal_)) {
                return false;
            }
            list->PlayListRenewal();
            renewed = true;
            openedSinceRenewal_ = false;
            if (list->PlayList->at(0).isEmpty()) {
                if (!byItself && list->FolderList.isEmpty()) {
                    offerFolderSetup();
                }
                return false;
            }
            setStatus(QStringLiteral("Wait."), StatusDarkRed);
            continue;
        }
        if (!playableFileExists(next)) {
            if (const QString folder = absentFolder(next); !folder.isEmpty()) {
                StatusLabel->setText(QStringLiteral("Stop."));
                setTitle(absentFolderNotice(folder));
                return false;
            }
            clearFilePositionIf(*list, next);
            // The status still reads "Wait." while the next file is tried.
            list->PlayList->removeAt(0);
            continue;
        }
        startTrack(*list, next);
        return true;
    }
}

// A first start has no play folder: the click that finds nothing shows the way.
void MainForm::offerFolderSetup()
{
    // Not from the start-up's auto-play, nor while another window of the player is open.
    if (!sys().MainFormLoaded || !isEnabled()) {
        return;
    }
    const platform::MessageAnswer answer = platform::showMessage(
        this,
        {QStringLiteral(
             "再生するフォルダが登録されていません。\r\nフォルダリスト セットアップを開きますか？"),
         QStringLiteral("Lyrabox 3"), platform::MessageIcon::Question, platform::MessageButtons::YesNo});
    if (PlayListForm *list = playListForm(); list && answer == platform::MessageAnswer::Yes) {
        list->FolderSetupMenu_Click();
    }
}

void MainForm::clearFilePositionIf(PlayListForm &list, const QString &path)
{
    if (list.FilePosition->text() == path) {
        list.clearFilePosition();
    }
}

void MainForm::startTrack(PlayListForm &list, const QString &path)
{
    sys().MusicFileName = path;
    clearFilePositionIf(list, path);
    list.PlayList->removeAt(0);

    MediaCommands::open(path);
    if (soundOutputLost(sys().MciResult)) {
        holdTrackForNextClick();
        return;
    }
    const bool opened = sys().MciResult == 0;
    if (!opened) {
        tellMissingDecoder(path);
    }
    MediaCommands::send(QStringLiteral("set MusicMedia time format milliseconds"));
    MediaCommands::status(QStringLiteral("length"));
    // A track of no length ends at once: for the guard it is one that did not open.
    if (opened && MediaCommands::replyNumber(sys().MciReply).value_or(0) > 0) {
        openedSinceRenewal_ = true;
    }
    if (const auto length = MediaCommands::replyNumber(sys().MciReply)) {
        AllTimeLabel->setText(QStringLiteral("/ ") + TimeText(*length, sys()));
    }
    sys().MusicLength = sys().MciReply;
    if (!sys().ElapsedDisplay) {
        sys().RestTime = sys().MusicLength;
        if (const auto rest = MediaCommands::replyNumber(sys().RestTime)) {
            NowTimeLabel->setText(TimeText(*rest, sys()));
        }
    }

    if (opened) {
        resumeIfInterrupted(path);
    }
    MediaCommands::send(QStringLiteral("play MusicMedia"));
    MusicTimer->start(MusicTickMs);
    MusicStop->setEnabled(true);
    setStatus(QStringLiteral("Play."), StatusDarkGreen);
    if (sys().TitleToolTipOn) {
        FileNameLabel->setToolTip(sys().MusicFileName);
    }
    setTitle(platform::visibleFileName(GetFileName(sys().MusicFileName)));
    sys().PlayCommand = 2;
}

void MainForm::stopTrack()
{
    MusicTimer->stop();
    MediaCommands::send(QStringLiteral("stop MusicMedia"));
    MediaCommands::send(QStringLiteral("close MusicMedia"));
    MusicStop->setEnabled(false);
    NowTimeLabel->setText(QStringLiteral("00:00:00"));
    AllTimeLabel->setText(QStringLiteral("/ 00:00:00"));
    setTitle(QString());
    TimeLine->resize(0, TimeLine->height());
    StatusLabel->setText(QStringLiteral("Stop."));
    sys().PlayCommand = 1;
}

void MainForm::showRestCounter()
{
    PlayListForm *list = playListForm();
    if (list == nullptr) {
        return;
    }
    const qsizetype rest = list->PlayList->count();
    FileStatusLabel->setText(restCounterText(rest, sys().TotalFiles));
    list->NaviFile->setText(QString::number(rest));
}
