#include "mainwindow/TitleLabel.h"

#include <QPainter>
#include <QStyle>

TitleLabel::Look TitleLabel::currentLook() const
{
    return {text(), palette().color(foregroundRole()), font(), size(), devicePixelRatioF(), isEnabled()};
}

const QPixmap &TitleLabel::picture()
{
    const Look look = currentLook();
    if (look.size.isEmpty()) {
        picture_ = QPixmap(); // nothing to draw, and no painter can open on an empty picture
    } else if (picture_.isNull() || !(look == pictured_)) {
        picture_ = QPixmap(look.size * look.ratio);
        picture_.setDevicePixelRatio(look.ratio);
        picture_.fill(Qt::transparent);
        QPainter painter(&picture_);
        painter.setFont(look.font);
        style()->drawItemText(&painter, rect(), int(alignment()), palette(), look.enabled, look.text,
                              foregroundRole());
        pictured_ = look;
    }
    return picture_;
}

void TitleLabel::paintEvent(QPaintEvent * /*event*/)
{
    QPainter(this).drawPixmap(0, 0, picture());
}
