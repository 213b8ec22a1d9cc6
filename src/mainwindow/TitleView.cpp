#include "mainwindow/TitleView.h"

#include "mainwindow/TitleLabel.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

TitleView::TitleView(QWidget *parent) : QWidget(parent) {}

void TitleView::setBackdrop(const QPixmap &windowPicture)
{
    const qreal ratio = windowPicture.devicePixelRatio();
    const QRect piece(geometry().topLeft() * ratio, size() * ratio);
    backdrop_ = windowPicture.copy(piece);
    backdrop_.setDevicePixelRatio(ratio);
    // With its own piece of the skin the window under the box need not be painted first.
    setAttribute(Qt::WA_OpaquePaintEvent, !backdrop_.isNull());
    update();
}

void TitleView::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    if (!backdrop_.isNull()) {
        painter.drawPixmap(0, 0, backdrop_);
    }
    if (title_ != nullptr) {
        painter.drawPixmap(title_->x(), title_->y(), title_->picture());
    }
}

bool TitleView::event(QEvent *event)
{
    // The hidden label cannot show its own tip.
    if (event->type() == QEvent::ToolTip && title_ != nullptr) {
        const auto *help = static_cast<QHelpEvent *>(event);
        if (title_->toolTip().isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), title_->toolTip(), this);
        }
        return true;
    }
    return QWidget::event(event);
}
