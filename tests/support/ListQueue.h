#pragma once

#include "playback/PlayQueue.h"

#include <QStringList>

// A queue of paths; a renewal deals `renewal` again.
class ListQueue : public PlayQueue {
public:
    QString head() const override { return files.value(0); }
    void dropHead() override { files.removeFirst(); }
    void pushFront(const QString &path) override { files.prepend(path); }
    void renew() override { files = (++renewals, renewal); }
    qsizetype count() const override { return files.size(); }
    bool hasFolders() const override { return folders; }

    QStringList files, renewal;
    int renewals = 0;
    bool folders = true;
};
