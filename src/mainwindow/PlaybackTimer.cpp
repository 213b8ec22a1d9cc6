#include "core/FormRegistry.h"
#include "core/SystemDataBox.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/SkinWidgets.h"
#include "playback/MediaCommands.h"
#include "playback/MediaFailure.h"
#include "playback/MusicTickPlan.h"
#include "playback/PlayState.h"
#include "playback/TimeText.h"
#include "playlist/PlayListForm.h"

#include <QAction>
#include <QLabel>
#include <QTimer>
#include <cmath>

// The end of one track and the start of the next are one change of the play state.
void MainForm::MusicTimer_Timer()
{
    const PlayState::Hold hold;
    MediaCommands::status(QStringLiteral("position"));
    if (soundOutputLost(sys().MciResult)) {
        holdTrackForNextClick();
        showRestCounter();
        recordPlayState();
        return;
    }
    showPlayingTime();
    showProgress();
    // Only an exact match of the two replies ends a track, and only a playing
    // one: a pause that came just after the stream ran out still holds.
    if (sys().PlayCommand == 2 && sys().MusicLength == sys().MciReply) {
        endWatchTicks_ = 0;
        endOfTrack();
    } else {
        scheduleMusicTimer();
    }
}

// The timer sleeps through ticks that would show nothing new; the device's end
// notice brings the ticks back, so the end test still runs within a tick of the end.
void MainForm::scheduleMusicTimer()
{
    if (endWatchTicks_ > 0) {
        --endWatchTicks_;
        MusicTimer->setInterval(MusicTickMs);
        return;
    }
    if (asleep_) {
        MusicTimer->stop();
        return;
    }
    const auto position = MediaCommands::replyNumber(sys().MciReply);
    const auto length = MediaCommands::replyNumber(sys().MusicLength);
    // A position that stands (paused, or not yet started) is watched tick by tick.
    const bool running = position && *position != lastTickPosition_;
    lastTickPosition_ = position.value_or(-1);
    const int ticks = running && length ? ticksToNextChange(*position, *length, sys().ElapsedDisplay,
                                                            AllTimeLine->width(), MusicTickMs)
                                        : 1;
    if (MusicTimer->interval() != ticks * MusicTickMs) {
        MusicTimer->setInterval(ticks * MusicTickMs);
    }
}

void MainForm::showPlayingTime()
{
    const auto position = MediaCommands::replyNumber(sys().MciReply);
    if (sys().ElapsedDisplay) {
        if (position) {
            NowTimeLabel->setText(TimeText(*position, sys()));
        }
        return;
    }
    const auto length = MediaCommands::replyNumber(sys().MusicLength);
    if (position && length) {
        const double rest = *length - *position;
        sys().RestTime = MediaCommands::fixedText(static_cast<qint64>(rest));
        NowTimeLabel->setText(TimeText(rest, sys()));
    }
}

void MainForm::showProgress()
{
    const auto position = MediaCommands::replyNumber(sys().MciReply);
    const auto length = MediaCommands::replyNumber(sys().MusicLength);
    if (!position || !length || *length == 0) {
        return;
    }
    const double width = *position / *length * AllTimeLine->width();
    if (std::isfinite(width) && width >= 0 && width <= 1e6) {
        TimeLine->resize(static_cast<int>(width), TimeLine->height());
    }
}

namespace {
// False when the track cannot start again (it never opened): repeating it
// would end it at every tick for ever.
bool playAgainFromTheStart()
{
    MediaCommands::send(QStringLiteral("seek MusicMedia to start"));
    if (sys().MciResult != 0) {
        return false;
    }
    MediaCommands::send(QStringLiteral("play MusicMedia"));
    return sys().MciResult == 0;
}
} // namespace

void MainForm::endOfTrack()
{
    PlayListForm *list = FormRegistry::instance().find<PlayListForm>();
    if (list && list->AllMusicRepeat->isChecked() && playAgainFromTheStart()) {
        return;
    }
    if (list && list->OneMusicRepeat->isChecked()) {
        const bool restarted = !list->AllMusicRepeat->isChecked() && playAgainFromTheStart();
        list->OneMusicRepeat->setChecked(false);
        list->OneMusicRepeat2->setChecked(false);
        OneRepeatImg->hide();
        if (restarted) {
            return;
        }
    }
    MusicStop_Click();
    if (list && list->ThisMusicExit->isChecked()) {
        FormRegistry::instance().unload(this);
        return;
    }
    if (sys().PlayEndStop && (list == nullptr || list->PlayList->at(0).isEmpty())) {
        return;
    }
    advancingByItself_ = true;
    MusicPlay_Click();
}
