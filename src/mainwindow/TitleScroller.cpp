#include "mainwindow/TitleScroller.h"

#include "core/SystemDataBox.h"
#include "mainwindow/TitleView.h"
#include "playback/TitleScroll.h"

#include <QLabel>
#include <QTimer>

#include <algorithm>

TitleScroller::TitleScroller(QLabel *label, TitleView *box, QObject *parent)
    : QObject(parent), label_(label), box_(box), timer_(new QTimer(this))
{
    timer_->setObjectName(QStringLiteral("TitleTimer"));
    timer_->setInterval(TickMs);
    connect(timer_, &QTimer::timeout, this, &TitleScroller::timerFired);
}

void TitleScroller::titleChanged()
{
    box_->update(); // the box draws the title; its text or width may have changed
    if (label_->width() > box_->width()) {
        // A title that cannot move (scrolling off, window hidden) needs no ticks.
        if (sys().TitleScrollOn && !asleep_) {
            schedule();
            timer_->start();
        } else {
            timer_->stop();
        }
        return;
    }
    timer_->stop();
    rest();
}

void TitleScroller::rest()
{
    TitleRestart = false;
    TitleWaitCount = 0;
    place(0);
}

void TitleScroller::tick()
{
    if (!sys().TitleScrollOn) {
        return;
    }
    const TitleScroll next = nextTitleTick({TitleRestart, TitleWaitCount, leftTwips_}, labelWidthTwips());
    TitleRestart = next.restart;
    TitleWaitCount = static_cast<std::uint8_t>(next.waitCount);
    place(next.leftTwips);
}

void TitleScroller::place(int leftTwips)
{
    leftTwips_ = leftTwips;
    // Kept in twips so the slow slide stays smooth; whole pixels only at the widget.
    const int pixel = titlePixel(leftTwips, TwipsPerPixel);
    if (label_->x() != pixel) {
        label_->move(pixel, 0);
        box_->slide();
    }
}

void TitleScroller::sleep()
{
    asleep_ = true;
    timer_->stop();
}

void TitleScroller::wake()
{
    asleep_ = false;
    titleChanged();
}

void TitleScroller::timerFired()
{
    if (!sys().TitleScrollOn) {
        timer_->stop();
        return;
    }
    // The timer sleeps through the ticks that move no pixel; they are counted now.
    const int ticks = std::max(1, timer_->interval() / TickMs);
    for (int i = 0; i < ticks; ++i) {
        tick();
    }
    schedule();
}

void TitleScroller::schedule()
{
    const TitleScroll now{TitleRestart, TitleWaitCount, leftTwips_};
    timer_->setInterval(TickMs * ticksToNextPixel(now, labelWidthTwips(), TwipsPerPixel));
}

int TitleScroller::labelWidthTwips() const
{
    return label_->width() * TwipsPerPixel;
}
