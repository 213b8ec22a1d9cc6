#include "platform/MessageBox.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace platform {
namespace {

MessageBoxHandler &handler()
{
    static MessageBoxHandler h;
    return h;
}

bool unattendedMode = false;

// A box waits for its answer: a window disabled under it for the moment (as
// the main window is while it cuts its outline) must not take its buttons along.
class AnswerableBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void changeEvent(QEvent *event) override
    {
        QMessageBox::changeEvent(event);
        if (event->type() == QEvent::EnabledChange && !isEnabled()) {
            setEnabled(true);
        }
    }
};

struct OpenBox {
    QPointer<QMessageBox> box;
    bool closedByProgram = false;
};

// Innermost last.
std::vector<OpenBox *> openBoxes;
std::vector<std::function<void()>> afterLastBox;

MessageAnswer closedAnswer(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::YesNo:
        return MessageAnswer::No;
    case MessageButtons::OkCancel:
        return MessageAnswer::Cancel;
    case MessageButtons::Ok:
        break;
    }
    return MessageAnswer::Ok;
}

QMessageBox::Icon qtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qtButtons(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

MessageAnswer answerOf(int button)
{
    switch (button) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        return MessageAnswer::Ok;
    }
}

void lastBoxReturned()
{
    for (std::function<void()> &call : std::exchange(afterLastBox, {})) {
        QTimer::singleShot(0, qApp, std::move(call));
    }
}

// On the heap and watched: should its parent go after all, the box goes with
// it once, and exec() returns.
MessageAnswer showQtMessage(QWidget *parent, const MessageRequest &request)
{
    OpenBox open{new AnswerableBox(qtIcon(request.icon), request.title, request.text,
                                   qtButtons(request.buttons), parent)};
    open.box->setEnabled(true);
    openBoxes.push_back(&open);
    const int button = open.box->exec();
    openBoxes.erase(std::find(openBoxes.begin(), openBoxes.end(), &open));
    const bool closed = open.closedByProgram || open.box.isNull();
    delete open.box.data();
    if (openBoxes.empty()) {
        lastBoxReturned();
    }
    return closed ? closedAnswer(request.buttons) : answerOf(button);
}

} // namespace

MessageAnswer showMessage(QWidget *parent, const MessageRequest &request)
{
    if (unattendedMode) {
        std::fprintf(stderr, "lyrabox3: %s\n%s\n", qPrintable(request.title),
                     qPrintable(QString(request.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))));
        return closedAnswer(request.buttons);
    }
    if (handler()) {
        return handler()(parent, request);
    }
    return showQtMessage(parent, request);
}

void setUnattended(bool unattended)
{
    unattendedMode = unattended;
}

void setMessageBoxHandler(MessageBoxHandler h)
{
    handler() = std::move(h);
}

void closeOpenMessages(const QWidget *window)
{
    for (OpenBox *open : openBoxes) {
        QWidget *parent = open->box ? open->box->parentWidget() : nullptr;
        if (window == nullptr || (parent != nullptr && parent->window() == window)) {
            open->closedByProgram = true;
            if (open->box) {
                open->box->reject();
            }
        }
    }
}

bool messageIsOpen()
{
    return !openBoxes.empty();
}

void whenNoMessageIsOpen(std::function<void()> call)
{
    if (openBoxes.empty()) {
        call();
        return;
    }
    afterLastBox.push_back(std::move(call));
}

} // namespace platform
