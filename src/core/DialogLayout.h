#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPainter;
class QPushButton;
class QWidget;

// Sizes of the dialog windows are kept in twips (15 to a pixel at 96 dpi) and
// converted here, at the widget boundary.
namespace DialogLayout {

int px(int twips);
QRect twipRect(int left, int top, int width, int height);

// A guide line of a dialog, drawn etched: shadow, then highlight 20 twips lower
// (or to the right, for a vertical line).
struct GuideLine {
    int x1, y1, x2, y2;
    bool vertical() const { return x1 == x2; }
};
void drawEtched(QPainter &painter, const QWidget &on, const GuideLine &line);

// A plain panel that draws its own guide lines.
class EtchedPanel : public QWidget {
public:
    EtchedPanel(QWidget *parent, const char *name, QList<GuideLine> lines);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QList<GuideLine> lines_;
};

QLabel *label(QWidget *parent, const char *name, const QString &caption, const QRect &rect);
QPushButton *button(QWidget *parent, const char *name, const QString &caption, const QRect &rect);
// A path box the user cannot edit: no frame, the face colour of a button.
QLineEdit *pathBox(QWidget *parent, const char *name, const QRect &rect);

struct Header {
    QWidget *area;
    QLabel *image;
    QLabel *title;
    QLabel *instructions;
};
// The white title band with the program's icon, a bold title and instructions.
Header header(QWidget *parent, const char *areaName, int widthTwips, const QString &title,
              const QString &instructions);

} // namespace DialogLayout
