#pragma once

#include <QObject>

#include <cstdint>

class QLabel;
class QTimer;
class TitleView;

// The title line: a label sliding inside its box, the timer that moves it, where it
// stands, and its rest count and restart mark.
class TitleScroller : public QObject {
    Q_OBJECT
public:
    static constexpr int TwipsPerPixel = 15;
    // One tick of the slide.
    static constexpr int TickMs = 30;

    TitleScroller(QLabel *label, TitleView *box, QObject *parent);

    // The title's width changed: the timer runs only while the title is wider than its box.
    void titleChanged();
    void tick();
    void place(int leftTwips);
    // Back at the box's edge with a fresh rest, as when scrolling is turned off.
    void rest();
    // The title has wholly left the box and comes back in from the edge.
    bool restarting() const { return TitleRestart; }
    // The title's left edge inside its box, in twips.
    int leftTwips() const { return leftTwips_; }
    QTimer *timer() const { return timer_; }

    // A hidden window shows nothing: the timer sleeps until it is shown again.
    void sleep();
    void wake();

private:
    void timerFired();
    void schedule();
    int labelWidthTwips() const;

    QLabel *label_;
    TitleView *box_;
    QTimer *timer_;
    int leftTwips_ = 0;
    bool TitleRestart = false;
    std::uint8_t TitleWaitCount = 0;
    bool asleep_ = false;
};
