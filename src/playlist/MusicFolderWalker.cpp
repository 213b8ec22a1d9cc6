#include "playlist/MusicFolderWalker.h"

#include <QCoreApplication>
#include <QPointer>

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

struct MusicFolderWalker::Job {
    std::mutex mutex;
    std::condition_variable done;
    bool walked = false;
    bool reported = false;
    MusicFolderWalk result;
    Report onWalked;
};

MusicFolderWalker::MusicFolderWalker(QObject *parent) : QObject(parent) {}

MusicFolderWalker::~MusicFolderWalker() = default;

void MusicFolderWalker::start(const QStringList &folders, const QString &pattern, int answerMs,
                              Report onWalked)
{
    auto job = std::make_shared<Job>();
    job->onWalked = std::move(onWalked);
    job_ = job;
    QPointer<MusicFolderWalker> self(this);
    try {
        std::thread([job, folders, pattern, answerMs, self] {
            MusicFolderWalk walk = walkMusicFolders(folders, pattern, answerMs);
            {
                const std::lock_guard lock(job->mutex);
                job->result = std::move(walk);
                job->walked = true;
                job->done.notify_all();
            }
            QMetaObject::invokeMethod(
                qApp, [self, job] { self ? self->deliver(job) : void(); }, Qt::QueuedConnection);
        }).detach();
    } catch (const std::system_error &) {
        job->result.unanswered = folders;
        job->walked = true;
        deliver(job);
    }
}

bool MusicFolderWalker::finishWithin(int timeoutMs)
{
    const std::shared_ptr<Job> job = job_;
    if (!job) {
        return true;
    }
    {
        std::unique_lock lock(job->mutex);
        if (!job->done.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return job->walked; })) {
            return false;
        }
    }
    deliver(job);
    return true;
}

bool MusicFolderWalker::walking() const
{
    return job_ != nullptr;
}

void MusicFolderWalker::deliver(const std::shared_ptr<Job> &job)
{
    if (job != job_ || job->reported) {
        return;
    }
    job->reported = true;
    job_.reset();
    job->onWalked(job->result);
}
