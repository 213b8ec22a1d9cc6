#pragma once

#include "platform/ServerPicture.h"

#include <QPixmap>
#include <QPointer>
#include <QWidget>

class TitleLabel;

// The box the title slides in. The title label keeps the text, the width and the place,
// but is never shown: the box draws the label's picture at its place over its own piece
// of the skin, so a step of the slide repaints this box alone, not the window under it.
// Where every row of that piece is one colour, a step costs less still: the title over
// the row colours is kept by the display server as one strip, and a step only asks it
// to show the strip's next piece in the box.
class TitleView : public QWidget {
public:
    explicit TitleView(QWidget *parent);

    void setTitle(TitleLabel *title) { title_ = title; }
    // The skin under the box, cut from the window's picture.
    void setBackdrop(const QPixmap &windowPicture);
    // The title moved inside the box.
    void slide();

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct StripKey {
        qint64 title = 0;
        qint64 backdrop = 0;
        WId window = 0;
        bool operator==(const StripKey &) const = default;
    };
    bool slideOnServer();
    bool stripReady(const QPixmap &title, QWindow &window);
    void watchWindow();

    TitleLabel *title_ = nullptr;
    QPixmap backdrop_;
    bool rowsPlain_ = false;
    platform::ServerPicture strip_;
    StripKey stripKey_;
    QPointer<QWindow> watched_;
    // The screen shows a step that the window's own buffer may not have.
    bool bufferBehind_ = false;
};
