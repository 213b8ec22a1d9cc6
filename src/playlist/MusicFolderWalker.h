#pragma once

#include "playlist/MusicFolderWalk.h"

#include <QObject>

#include <functional>
#include <memory>

// Runs walkMusicFolders on a thread of its own, so that no folder is touched on
// the window thread, and hands the result to `onWalked` there. A walk stuck on a
// volume is left behind, never joined.
class MusicFolderWalker : public QObject {
    Q_OBJECT
public:
    using Report = std::function<void(MusicFolderWalk &)>;
    explicit MusicFolderWalker(QObject *parent = nullptr);
    ~MusicFolderWalker() override;

    // A new walk; the report of a walk still running is dropped. When no thread
    // can be started, every folder counts as not answering, reported at once.
    void start(const QStringList &folders, const QString &pattern, int answerMs, Report onWalked);
    // Waits at most timeoutMs for the running walk and reports it now if it ends
    // by then. True when no walk is left to report.
    bool finishWithin(int timeoutMs);
    bool walking() const;

private:
    struct Job;
    void deliver(const std::shared_ptr<Job> &job);

    std::shared_ptr<Job> job_;
};
