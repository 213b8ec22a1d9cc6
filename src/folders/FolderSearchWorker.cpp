#include "folders/FolderSearchWorker.h"

#include <QMetaObject>
#include <QObject>

#include <mutex>
#include <thread>

struct FolderSearchWorker::Shared {
    std::atomic<bool> running = true;
    std::mutex mutex;
    QStringList hits;
    bool done = false;
    bool queued = false;
    bool left = false;
};

namespace {

FolderSearchWorker::Walk &walkSeam()
{
    static FolderSearchWorker::Walk walk;
    return walk;
}

} // namespace

FolderSearchWorker::FolderSearchWorker(QObject *receiver, Take take)
    : receiver_(receiver), take_(std::move(take))
{
}

FolderSearchWorker::~FolderSearchWorker()
{
    leave();
}

void FolderSearchWorker::setWalk(Walk walk)
{
    walkSeam() = std::move(walk);
}

void FolderSearchWorker::start(const QString &root)
{
    leave();
    auto shared = std::make_shared<Shared>();
    shared_ = shared;
    // One queued call takes all that came since the last.
    const auto post = [this, shared](const QString *hit) {
        const std::lock_guard lock(shared->mutex);
        if (hit != nullptr) {
            shared->hits.append(*hit);
        } else {
            shared->done = true;
        }
        if (!shared->queued && !shared->left) {
            shared->queued = true;
            QMetaObject::invokeMethod(
                receiver_, [this, shared] { deliver(shared); }, Qt::QueuedConnection);
        }
    };
    const Walk walk =
        walkSeam() ? walkSeam()
                   : [](const QString &from, const std::atomic<bool> &running,
                        const FolderWalker::HitHandler &onHit) { FolderWalker(running, onHit).walk(from); };
    std::thread([walk, root, shared, post] {
        walk(root, shared->running, [&post](const QString &folder) { post(&folder); });
        post(nullptr);
    }).detach();
}

void FolderSearchWorker::stop()
{
    if (shared_ != nullptr) {
        shared_->running = false;
    }
}

void FolderSearchWorker::leave()
{
    if (shared_ == nullptr) {
        return;
    }
    shared_->running = false;
    const std::lock_guard lock(shared_->mutex);
    shared_->left = true;
    shared_.reset();
}

void FolderSearchWorker::deliver(const std::shared_ptr<Shared> &shared)
{
    QStringList hits;
    bool done = false;
    {
        const std::lock_guard lock(shared->mutex);
        if (shared->left) {
            return;
        }
        hits.swap(shared->hits);
        done = shared->done;
        shared->queued = false;
    }
    if (done) {
        shared_.reset();
    }
    take_(hits, done);
}
