#pragma once

#include "platform/PathLook.h"

#include <QStringList>

#include <memory>

// The first look at each play folder before it is listed. The folders of one
// volume are looked at one after the other on one bounded helper
// (platform/BoundedCall) instead of a helper's round trip each. A volume is given
// up once none of its folders has answered for answerMs: its folders not looked
// at by then are NoAnswer, as are those of a volume given up earlier.
class FolderLooks {
public:
    FolderLooks(const QStringList &folders, int answerMs);

    // The look at folders[i], waited for within the bound. Any thread.
    platform::PathLook at(qsizetype i);

    struct State; // shared with the helpers, which may outlive the looks

private:
    std::shared_ptr<State> state_;
};
