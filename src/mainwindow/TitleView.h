#pragma once

#include <QPixmap>
#include <QWidget>

class TitleLabel;

// The box the title slides in. The title label keeps the text, the width and the place,
// but is never shown: the box draws the label's picture at its place over its own piece
// of the skin, so a step of the slide repaints this box alone, not the window under it.
class TitleView : public QWidget {
public:
    explicit TitleView(QWidget *parent);

    void setTitle(TitleLabel *title) { title_ = title; }
    // The skin under the box, cut from the window's picture.
    void setBackdrop(const QPixmap &windowPicture);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    TitleLabel *title_ = nullptr;
    QPixmap backdrop_;
};
