#pragma once

#include <QLabel>
#include <QPixmap>

// The title line. It slides a step every few tens of milliseconds, so its text is
// laid out once into a picture and only the picture is drawn at each step.
class TitleLabel : public QLabel {
public:
    using QLabel::QLabel;

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
