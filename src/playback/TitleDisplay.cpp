#include "app/SystemDataBox.h"
#include "mainwindow/MainForm.h"

#include <QLabel>
#include <QTimer>

namespace {
// The title rests this many ticks at the left edge before it moves.
constexpr int restTicks = 16;
constexpr int stepTwips = 10;
} // namespace

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
    FileNameLabel->move(static_cast<int>(std::lround(leftTwips / double(TwipsPerPixel))), 0);
}

void MainForm::FileNameLabel_Change()
{
    if (FileNameLabel->width() > TitleBox->width()) {
        TitleTimer->start();
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
    if (sys().TitleRestart) {
        sys().TitleRestart = false;
        sys().TitleWaitCount = 0;
        placeTitle(0);
        return;
    }
    if (sys().TitleWaitCount < restTicks) {
        ++sys().TitleWaitCount;
        return;
    }
    const int left = titleLeftTwips_ - stepTwips;
    placeTitle(left);
    if (std::abs(left) > FileNameLabel->width() * TwipsPerPixel) {
        sys().TitleRestart = true;
        sys().TitleWaitCount = 0;
    }
}
