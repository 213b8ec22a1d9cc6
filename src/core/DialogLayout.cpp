#include "core/DialogLayout.h"

#include "platform/Artwork.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

#include <cmath>

namespace DialogLayout {
namespace {

constexpr int EtchOffset = 20;
constexpr int HeaderHeight = 1080;

template <class T> T *named(T *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

int px(int twips)
{
    return static_cast<int>(std::lround(twips / 15.0));
}

QRect twipRect(int left, int top, int width, int height)
{
    return {px(left), px(top), px(width), px(height)};
}

void drawEtched(QPainter &painter, const QWidget &on, const GuideLine &line)
{
    const int dx = line.vertical() ? EtchOffset : 0;
    const int dy = line.vertical() ? 0 : EtchOffset;
    painter.setPen(on.palette().color(QPalette::Dark));
    painter.drawLine(px(line.x1), px(line.y1), px(line.x2), px(line.y2));
    painter.setPen(on.palette().color(QPalette::Light));
    painter.drawLine(px(line.x1 + dx), px(line.y1 + dy), px(line.x2 + dx), px(line.y2 + dy));
}

EtchedPanel::EtchedPanel(QWidget *parent, const char *name, QList<GuideLine> lines)
    : QWidget(parent), lines_(std::move(lines))
{
    setObjectName(QString::fromLatin1(name));
}

void EtchedPanel::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    QPainter painter(this);
    for (const GuideLine &line : std::as_const(lines_)) {
        drawEtched(painter, *this, line);
    }
}

QLabel *label(QWidget *parent, const char *name, const QString &caption, const QRect &rect)
{
    auto *l = named(new QLabel(caption, parent), name);
    l->setGeometry(rect);
    return l;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption, const QRect &rect)
{
    auto *b = named(new QPushButton(caption, parent), name);
    b->setGeometry(rect);
    b->setAutoDefault(false);
    return b;
}

QLineEdit *pathBox(QWidget *parent, const char *name, const QRect &rect)
{
    auto *box = named(new QLineEdit(parent), name);
    box->setGeometry(rect);
    box->setReadOnly(true);
    box->setFrame(false);
    QPalette face = box->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    box->setPalette(face);
    return box;
}

Header header(QWidget *parent, const char *areaName, int widthTwips, const QString &title,
              const QString &instructions)
{
    Header h{};
    h.area = named(new QWidget(parent), areaName);
    h.area->setGeometry(twipRect(0, 0, widthTwips, HeaderHeight));
    h.area->setAutoFillBackground(true);
    QPalette white = h.area->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    h.area->setPalette(white);
    h.image = label(h.area, "Image5", {}, twipRect(120, 120, 615, 615));
    h.image->setPixmap(platform::artworkPixmap(QStringLiteral(":/artwork/lyrabox3-32.png")));
    h.image->setAlignment(Qt::AlignCenter);
    h.title = label(h.area, "Label5", title, twipRect(840, 90, 4000, 240));
    QFont bold = h.title->font();
    bold.setBold(true);
    h.title->setFont(bold);
    h.instructions = label(h.area, "Label6", instructions, twipRect(960, 330, widthTwips - 1080, 720));
    h.instructions->setWordWrap(true);
    h.instructions->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return h;
}

} // namespace DialogLayout
