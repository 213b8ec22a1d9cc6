#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace platform {

enum class MessageIcon { None, Information, Exclamation, Question, Critical };
enum class MessageButtons { Ok, YesNo, OkCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

struct MessageRequest {
    QString text;
    QString title;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

// Every message box of the program goes through here, so tests can answer it.
using MessageBoxHandler = std::function<MessageAnswer(QWidget *parent, const MessageRequest &)>;

MessageAnswer showMessage(QWidget *parent, const MessageRequest &request);

// While unattended (the program is being ended from outside), a message goes
// to standard error and reads as closed unanswered: nobody is there to click.
void setUnattended(bool unattended);

// Replaces the real dialog; an empty handler restores it.
void setMessageBoxHandler(MessageBoxHandler handler);

// Closes the open message boxes (all, or those over the given window) as if
// closed unanswered. Each returns once control is back in its own handler.
void closeOpenMessages(const QWidget *window = nullptr);

// A message box is waiting for the user.
bool messageIsOpen();

// Runs the call at once when no message box is open; otherwise once the last
// one has returned to its handler, from the event loop. Windows are taken
// apart only then, never under a box that still waits in its own event loop.
void whenNoMessageIsOpen(std::function<void()> call);

} // namespace platform
