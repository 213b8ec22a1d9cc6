#pragma once

#include <QPixmap>
#include <QWidget>

// A picture that acts as a button, with its normal, hover and pressed pictures.
// A press shows the pressed picture; a move over it while not held shows the hover
// picture; a release changes no picture, so the pressed one stays until the next
// move. It reports hovers, releases and clicks (a left release over it after a
// press on it; a double click is one click).
class ImageButton : public QWidget {
    Q_OBJECT
public:
    enum Picture { Out, In, Down };

    // "front-form" takes one picture for every state; "music-play" takes
    // "music-play-out", "-in" and "-down".
    ImageButton(const QString &picture, bool threeStates, QWidget *parent);

    void showPicture(Picture picture);
    Picture shownPicture() const { return shown_; }
    // The mouse went down on it and has not come up yet.
    bool isPressed() const { return pressed_; }

signals:
    // The mouse moved over it while not held, just before it shows its hover
    // picture: the window puts its other buttons back to normal.
    void hovered();
    void released(Qt::MouseButton button, QPoint globalPos);
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap pictures_[3];
    Picture shown_ = Out;
    bool pressed_ = false;
    bool secondOfDouble_ = false;
};
