#pragma once

#include "folders/FolderWalker.h"

#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <memory>

class QObject;

// One walk of the folder search, on a thread of its own; its hits reach the
// window through the window's event loop. The window never waits for the walk:
// a dead network mount can hold the thread in the kernel for minutes, so a
// window that goes leaves the walk behind, and what it still finds reaches no one.
class FolderSearchWorker {
public:
    // On the receiver's thread: the hits found since the last call; done when the walk has ended.
    using Take = std::function<void(const QStringList &hits, bool done)>;
    using Walk = std::function<void(const QString &root, const std::atomic<bool> &running,
                                    const FolderWalker::HitHandler &onHit)>;

    FolderSearchWorker(QObject *receiver, Take take);
    ~FolderSearchWorker();
    FolderSearchWorker(const FolderSearchWorker &) = delete;
    FolderSearchWorker &operator=(const FolderSearchWorker &) = delete;

    void start(const QString &root);
    // The walk ends after the folder in hand.
    void stop();
    // Nothing more of this walk is taken; the thread ends by itself.
    void leave();
    // Started, and its end not yet taken.
    bool running() const { return shared_ != nullptr; }

    // Tests put a walk of their own here; an empty one restores the folder walker.
    static void setWalk(Walk walk);

private:
    struct Shared;
    void deliver(const std::shared_ptr<Shared> &shared);

    QObject *receiver_;
    Take take_;
    std::shared_ptr<Shared> shared_;
};
