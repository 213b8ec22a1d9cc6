#include "core/SystemDataBox.h"
#include "mainwindow/MainForm.h"
#include "playback/TitleScroll.h"

#include <QLabel>
#include <QTimer>

#include <algorithm>

void MainForm::setTitle(const QString &title)
{
    FileNameLabel->setText(title);
    FileNameLabel->resize(FileNameLabel->sizeHint().width(), TitleBox->height());
    FileNameLabel_Change();
}

void MainForm::placeTitle(int leftTwips)
{
    titleLeftTwips_ = leftTwips;
    // Kept in twips so the slow slide stays smooth; whole pixels only at the widget.
    const int pixel = titlePixel(leftTwips, TwipsPerPixel);
    if (FileNameLabel->x() != pixel) {
        FileNameLabel->move(pixel, 0);
    }
}

void MainForm::FileNameLabel_Change()
{
    if (FileNameLabel->width() > TitleBox->width()) {
        // A title that cannot move (scrolling off, window hidden) needs no ticks.
        if (sys().TitleScrollOn && !asleep_) {
            scheduleTitleTimer();
            TitleTimer->start();
        } else {
            TitleTimer->stop();
        }
        return;
    }
    TitleTimer->stop();
    sys().TitleRestart = false;
    sys().TitleWaitCount = 0;
    placeTitle(0);
}

void MainForm::TitleTimer_Timer()
{
    if (!sys().TitleScrollOn) {
        return;
    }
    const TitleScroll next = nextTitleTick({sys().TitleRestart, sys().TitleWaitCount, titleLeftTwips_},
                                           FileNameLabel->width() * TwipsPerPixel);
    sys().TitleRestart = next.restart;
    sys().TitleWaitCount = static_cast<std::uint8_t>(next.waitCount);
    placeTitle(next.leftTwips);
}

void MainForm::titleTimerFired()
{
    if (!sys().TitleScrollOn) {
        TitleTimer->stop();
        return;
    }
    // The timer sleeps through the ticks that move no pixel; they are counted now.
    const int ticks = std::max(1, TitleTimer->interval() / TitleTickMs);
    for (int i = 0; i < ticks; ++i) {
        TitleTimer_Timer();
    }
    scheduleTitleTimer();
}

void MainForm::scheduleTitleTimer()
{
    const TitleScroll now{sys().TitleRestart, sys().TitleWaitCount, titleLeftTwips_};
    const int ticks = ticksToNextPixel(now, FileNameLabel->width() * TwipsPerPixel, TwipsPerPixel);
    TitleTimer->setInterval(TitleTickMs * ticks);
}
