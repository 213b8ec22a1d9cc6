#pragma once

#include <QLabel>

// A picture that acts as a button: it reports presses, releases and clicks
// (a left release over the picture after a press on it).
class ImageButton : public QLabel {
    Q_OBJECT
public:
    enum class Glyph { None, Play, Stop, Menu, Back, Close };

    explicit ImageButton(Glyph glyph, QWidget *parent = nullptr);

signals:
    void pressed(Qt::MouseButton button);
    void released(Qt::MouseButton button);
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void paintGlyph(QPainter &painter) const;

    Glyph glyph_;
    bool held_ = false;
};
