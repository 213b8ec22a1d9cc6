#include "core/FormRegistry.h"
#include "core/SystemDataBox.h"
#include "mainwindow/ImageButton.h"
#include "mainwindow/MainCounter.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/SkinWidgets.h"
#include "platform/FileNameCodec.h"
#include "platform/MessageBox.h"
#include "playback/AbsentDrive.h"
#include "playback/DecoderNotice.h"
#include "playback/GetFileName.h"
#include "playback/PlayController.h"
#include "playback/TextColour.h"
#include "playback/TimeText.h"
#include "playlist/PlayListForm.h"

#include <QLabel>
#include <QTimer>

namespace {
PlayController &controller()
{
    return PlayController::instance();
}
} // namespace

void MainForm::MusicPlay_Click()
{
    controller().playOrPause();
}

void MainForm::MusicStop_Click()
{
    controller().stop();
}

void MainForm::MusicPlayCallSys()
{
    controller().playOrStop();
}

// The play control decides; this window shows what it announces.
void MainForm::followPlayControl()
{
    PlayController *play = &controller();
    connect(play, &PlayController::statusShown, this, &MainForm::showStatus);
    connect(play, &PlayController::trackStarted, this, &MainForm::showTrack);
    connect(play, &PlayController::stopped, this, &MainForm::showStopped);
    connect(play, &PlayController::restCounted, this,
            [this](qsizetype rest) { FileStatusLabel->setText(restCounterText(rest, sys().TotalFiles)); });
    connect(play, &PlayController::polled, this, &MainForm::showPlayingTime);
    connect(play, &PlayController::noFolders, this, &MainForm::offerFolderSetup);
    connect(play, &PlayController::waitingForDrive, this,
            [this](const QString &folder) { setTitle(absentFolderNotice(folder)); });
    connect(play, &PlayController::decoderMissing, this,
            [this](const QString &path, const QStringList &details) {
                if (decoderNotice_ == nullptr) {
                    decoderNotice_ = new DecoderNotice(this);
                }
                decoderNotice_->tell(path, details);
            });
    connect(play, &PlayController::closeRequested, this, [this] { FormRegistry::instance().unload(this); });
    connect(play, &PlayController::endNoticed, this, &MainForm::trackEndNoticed);
}

void MainForm::showStatus(PlayController::Status status)
{
    using enum PlayController::Status;
    const QColor colour = status == Play ? StatusDarkGreen : StatusDarkRed;
    QPalette p = StatusLabel->palette();
    p.setColor(QPalette::WindowText, colour);
    StatusLabel->setPalette(p);
    StatusLabel->setText(status == Play   ? QStringLiteral("Play.")
                         : status == Wait ? QStringLiteral("Wait.")
                                          : QStringLiteral("Stop."));
}

void MainForm::showTrack(const QString &path, std::optional<qint64> lengthMs)
{
    if (lengthMs) {
        AllTimeLabel->setText(QStringLiteral("/ ") + TimeText(double(*lengthMs), timeParts_));
        // Nothing has played yet: the rest is the whole track.
        if (!sys().ElapsedDisplay) {
            RestTime = *lengthMs;
            NowTimeLabel->setText(TimeText(double(RestTime), timeParts_));
        }
    }
    MusicTimer->start(MusicTickMs);
    MusicStop->setEnabled(true);
    if (sys().TitleToolTipOn) {
        FileNameLabel->setToolTip(path);
    }
    setTitle(platform::visibleFileName(GetFileName(path)));
}

void MainForm::showStopped()
{
    MusicTimer->stop();
    endWatchTicks_ = 0;
    MusicStop->setEnabled(false);
    NowTimeLabel->setText(QStringLiteral("00:00:00"));
    AllTimeLabel->setText(QStringLiteral("/ 00:00:00"));
    setTitle(QString());
    TimeLine->resize(0, TimeLine->height());
}

// A first start has no play folder: the click that finds nothing shows the way.
void MainForm::offerFolderSetup()
{
    // Not from the start-up's auto-play, nor while another window of the player is open.
    if (!loadedFully_ || !isEnabled()) {
        return;
    }
    const platform::MessageAnswer answer = platform::showMessage(
        this,
        {QStringLiteral(
             "再生するフォルダが登録されていません。\r\nフォルダリスト セットアップを開きますか？"),
         QStringLiteral("Lyrabox 3"), platform::MessageIcon::Question, platform::MessageButtons::YesNo});
    PlayListForm *list = FormRegistry::instance().find<PlayListForm>();
    if (list && answer == platform::MessageAnswer::Yes) {
        list->openFolderSetup();
    }
}
