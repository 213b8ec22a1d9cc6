#include "mainwindow/TitleView.h"

#include "mainwindow/TitleLabel.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <QWindow>

#include <algorithm>

namespace {

// Whether the picture is opaque and each of its rows one colour, so that a title drawn
// over the row colours looks the same wherever it stands.
bool rowsOfOneColour(const QPixmap &picture)
{
    const QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    if (image.isNull()) {
        return false;
    }
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        if (qAlpha(row[0]) != 255 ||
            !std::all_of(row, row + image.width(), [&](QRgb p) { return p == row[0]; })) {
            return false;
        }
    }
    return true;
}

} // namespace

TitleView::TitleView(QWidget *parent) : QWidget(parent) {}

void TitleView::setBackdrop(const QPixmap &windowPicture)
{
    const qreal ratio = windowPicture.devicePixelRatio();
    const QRect piece(geometry().topLeft() * ratio, size() * ratio);
    backdrop_ = windowPicture.copy(piece);
    backdrop_.setDevicePixelRatio(ratio);
    rowsPlain_ = rowsOfOneColour(backdrop_);
    // With its own piece of the skin the window under the box need not be painted first.
    setAttribute(Qt::WA_OpaquePaintEvent, !backdrop_.isNull());
    update();
}

void TitleView::slide()
{
    if (!slideOnServer()) {
        update();
    }
}

bool TitleView::slideOnServer()
{
    QWindow *window = this->window()->windowHandle();
    if (!rowsPlain_ || title_ == nullptr || window == nullptr || !isVisible() || !window->isExposed()) {
        return false;
    }
    const QPixmap &title = title_->picture();
    if (!stripReady(title, *window)) {
        return false;
    }
    const qreal ratio = backdrop_.devicePixelRatio();
    const QRect piece(qRound(-title_->x() * ratio), 0, backdrop_.width(), backdrop_.height());
    const QPoint at = mapTo(this->window(), QPoint(0, 0)) * ratio;
    if (piece.x() < 0 || piece.right() >= title.width() + backdrop_.width() || !strip_.copyTo(piece, at)) {
        return false;
    }
    bufferBehind_ = true;
    return true;
}

// The strip: the title, then a box's width of nothing, over the backdrop's row colours.
bool TitleView::stripReady(const QPixmap &title, QWindow &window)
{
    const StripKey key{title.cacheKey(), backdrop_.cacheKey(), window.winId()};
    if (key == stripKey_) {
        return !strip_.isNull(); // a strip the server would not take is not tried at every step
    }
    stripKey_ = key;
    const QImage rows = backdrop_.toImage().convertToFormat(QImage::Format_RGB32);
    QImage strip(title.width() + rows.width(), rows.height(), QImage::Format_RGB32);
    for (int y = 0; y < strip.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(strip.scanLine(y));
        std::fill(line, line + strip.width(), rows.pixel(0, y));
    }
    strip.setDevicePixelRatio(backdrop_.devicePixelRatio());
    if (!title.isNull()) {
        QPainter(&strip).drawPixmap(0, title_->y(), title);
    }
    if (!strip_.upload(strip, window)) {
        return false;
    }
    watchWindow();
    return true;
}

// An exposed window is put back from its own buffer, which may hold an older step.
void TitleView::watchWindow()
{
    QWindow *window = this->window()->windowHandle();
    if (window != watched_) {
        if (watched_ != nullptr) {
            watched_->removeEventFilter(this);
        }
        watched_ = window;
        watched_->installEventFilter(this);
    }
}

bool TitleView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == watched_ && event->type() == QEvent::Expose && bufferBehind_) {
        bufferBehind_ = false;
        update();
    }
    return QWidget::eventFilter(watched, event);
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
