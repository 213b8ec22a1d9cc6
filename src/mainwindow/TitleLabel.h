#pragma once

#include <QLabel>
#include <QPixmap>

// A label painted far more often than its text changes: the title line, which slides
// a step every few tens of milliseconds, and what lies under it. The text is laid out
// once into a picture and only the picture is drawn at each repaint.
class TitleLabel : public QLabel {
public:
    using QLabel::QLabel;

    // The text as drawn at the label's size, made again only when its look changed.
    const QPixmap &picture();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct Look {
        QString text;
        QColor colour;
        QFont font;
        QSize size;
        qreal ratio = 0;
        bool enabled = false;
        bool operator==(const Look &) const = default;
    };
    Look currentLook() const;

    QPixmap picture_;
    Look pictured_;
};
