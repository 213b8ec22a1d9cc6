#pragma once

#include <QPixmap>
#include <QWidget>

// An indicator lamp or cover of the skin: one picture; presses go to the window.
class Lamp : public QWidget {
    Q_OBJECT
public:
    Lamp(const QString &picture, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap picture_;
};

// A bar of the skin: its picture stretched over the bar's current width.
class ProgressBar : public QWidget {
    Q_OBJECT
public:
    ProgressBar(const QString &picture, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap picture_;
};
