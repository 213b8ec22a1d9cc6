#include "platform/MessageBox.h"

#include <QMessageBox>

#include <cstdio>

namespace platform {
namespace {

MessageBoxHandler &handler()
{
    static MessageBoxHandler h;
    return h;
}

bool unattendedMode = false;

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

MessageAnswer showQtMessage(QWidget *parent, const MessageRequest &request)
{
    QMessageBox box(qtIcon(request.icon), request.title, request.text, qtButtons(request.buttons), parent);
    return answerOf(box.exec());
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

} // namespace platform
