#include "support/MessageRecorder.h"

#include "support/TestEnvironment.h"

MessageRecorder::MessageRecorder(platform::MessageAnswer answer) : answer_(answer)
{
    install();
}

void MessageRecorder::install()
{
    platform::setMessageBoxHandler([this](QWidget *, const platform::MessageRequest &request) {
        shown_.append(request);
        return answer_;
    });
}

MessageRecorder::~MessageRecorder()
{
    TestEnvironment::refuseMessageBoxes();
}

QStringList MessageRecorder::titles() const
{
    QStringList t;
    for (const auto &r : shown_) {
        t << r.title;
    }
    return t;
}
