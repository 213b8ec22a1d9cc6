#pragma once

#include "platform/MessageBox.h"
#include "support/TestEnvironment.h"

#include <QList>

// Answers every message box without showing it and keeps what it said.
class MessageRecorder {
public:
    MessageRecorder() { install(); }
    ~MessageRecorder() { TestEnvironment::refuseMessageBoxes(); }

    // Takes the message boxes (again), e.g. after the environment was reset.
    void install()
    {
        platform::setMessageBoxHandler([this](QWidget *, const platform::MessageRequest &request) {
            shown_.append(request);
            return answer_;
        });
    }

    void answerWith(platform::MessageAnswer answer) { answer_ = answer; }
    const QList<platform::MessageRequest> &shown() const { return shown_; }
    QStringList titles() const
    {
        QStringList titles;
        for (const auto &request : shown_) {
            titles << request.title;
        }
        return titles;
    }

private:
    platform::MessageAnswer answer_ = platform::MessageAnswer::Ok;
    QList<platform::MessageRequest> shown_;
};
