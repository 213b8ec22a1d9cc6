#pragma once

#include "platform/MessageBox.h"

#include <QList>

// Answers every message box without showing it and keeps what it said.
class MessageRecorder {
public:
    explicit MessageRecorder(platform::MessageAnswer answer = platform::MessageAnswer::Ok);
    ~MessageRecorder();

    // Takes the message boxes (again), e.g. after the environment was reset.
    void install();

    void answerWith(platform::MessageAnswer answer) { answer_ = answer; }
    const QList<platform::MessageRequest> &shown() const { return shown_; }
    QStringList titles() const;

private:
    platform::MessageAnswer answer_;
    QList<platform::MessageRequest> shown_;
};
