#include "core/SystemDataBox.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/SkinWidgets.h"
#include "playback/MusicTickPlan.h"
#include "playback/PlayController.h"
#include "playback/TimeText.h"

#include <QLabel>
#include <QTimer>
#include <cmath>

void MainForm::MusicTimer_Timer()
{
    PlayController::instance().tick();
}

void MainForm::showPlayingTime(std::optional<qint64> positionMs, std::optional<qint64> lengthMs)
{
    if (sys().ElapsedDisplay) {
        if (positionMs) {
            NowTimeLabel->setText(TimeText(double(*positionMs), timeParts_));
        }
    } else if (positionMs && lengthMs) {
        RestTime = *lengthMs - *positionMs;
        NowTimeLabel->setText(TimeText(double(RestTime), timeParts_));
    }
    showProgress(positionMs, lengthMs);
    scheduleMusicTimer(positionMs, lengthMs);
}

void MainForm::showProgress(std::optional<qint64> positionMs, std::optional<qint64> lengthMs)
{
    if (!positionMs || !lengthMs || *lengthMs == 0) {
        return;
    }
    const double width = double(*positionMs) / double(*lengthMs) * AllTimeLine->width();
    if (std::isfinite(width) && width >= 0 && width <= 1e6) {
        TimeLine->resize(static_cast<int>(width), TimeLine->height());
    }
}

// The timer sleeps through ticks that would show nothing new; the device's end
// notice brings the ticks back, so the end test still runs within a tick of the end.
void MainForm::scheduleMusicTimer(std::optional<qint64> positionMs, std::optional<qint64> lengthMs)
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
    // A position that stands (paused, or not yet started) is watched tick by tick.
    const bool running = positionMs && *positionMs != lastTickPosition_;
    lastTickPosition_ = positionMs.value_or(-1);
    const int ticks = running && lengthMs
                          ? ticksToNextChange(double(*positionMs), double(*lengthMs), sys().ElapsedDisplay,
                                              AllTimeLine->width(), MusicTickMs)
                          : 1;
    if (MusicTimer->interval() != ticks * MusicTickMs) {
        MusicTimer->setInterval(ticks * MusicTickMs);
    }
}
