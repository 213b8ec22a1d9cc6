#include "core/SystemDataBox.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/TitleScroller.h"
#include "platform/MediaChannel.h"

#include <QHideEvent>
#include <QPointer>
#include <QTimer>

namespace {
// After an end notice, polling goes on this long at most for the end to show.
constexpr int endWatchTicks = 20;
} // namespace

void MainForm::listenForTrackEnd()
{
    platform::setEndNotice([form = QPointer<MainForm>(this)] {
        if (form) {
            form->trackEndNoticed();
        }
    });
}

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
    if (trackOpen()) {
        MusicTimer->start(MusicTickMs);
    }
}

// The stream ended while the timer slept: the ticks resume until the end test sees it.
void MainForm::trackEndNoticed()
{
    if (sys().PlayCommand == 2) {
        endWatchTicks_ = endWatchTicks;
        MusicTimer->start(MusicTickMs);
    }
}
