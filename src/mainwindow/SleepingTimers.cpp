#include "mainwindow/MainForm.h"
#include "mainwindow/TitleScroller.h"
#include "playback/PlayController.h"

#include <QHideEvent>
#include <QTimer>

namespace {
// After an end notice, polling goes on this long at most for the end to show.
constexpr int endWatchTicks = 20;
} // namespace

void MainForm::hideEvent(QHideEvent *event)
{
    Form::hideEvent(event);
    asleep_ = true;
    titleScroller->sleep();
    MusicTimer->stop();
}

void MainForm::showEvent(QShowEvent *event)
{
    Form::showEvent(event);
    if (!asleep_) {
        return;
    }
    asleep_ = false;
    titleScroller->wake();
    if (PlayController::instance().trackOpen()) {
        MusicTimer->start(MusicTickMs);
    }
}

// The stream ended while the timer slept: the ticks resume until the end test sees it.
void MainForm::trackEndNoticed()
{
    endWatchTicks_ = endWatchTicks;
    MusicTimer->start(MusicTickMs);
}
