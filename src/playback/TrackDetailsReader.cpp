#include "playback/TrackDetailsReader.h"

#include "platform/PathLook.h"
#include "playback/PlayController.h"

#include <QFileInfo>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

// The track's folder answered its open a moment ago; one that stops now is passed over.
constexpr int FolderLookMs = 500;

} // namespace

// One reader thread of our own, not a helper of the volume: a read takes tens of
// milliseconds, and the play control's own looks at that volume must not wait for it.
// It outlives the reader if a file holds it; a newer request replaces a waiting one.
struct TrackDetailsReader::Inbox {
    std::mutex mutex;
    std::condition_variable wake;
    TrackDetailsReader *reader = nullptr;
    std::optional<std::pair<quint64, QString>> pending;
    bool started = false;

    void serve()
    {
        std::unique_lock lock(mutex);
        while (reader) {
            wake.wait(lock, [this] { return pending || !reader; });
            if (!pending) {
                continue;
            }
            const auto [request, path] = *std::exchange(pending, std::nullopt);
            lock.unlock();
            const TrackDetails details = read(path);
            lock.lock();
            if (reader) {
                QMetaObject::invokeMethod(
                    reader, [r = reader, request, path, details] { r->answer(request, path, details); },
                    Qt::QueuedConnection);
            }
        }
    }

    static TrackDetails read(const QString &path)
    {
        const platform::PathLook folder = platform::lookAt(QFileInfo(path).path(), FolderLookMs);
        return folder.kind == platform::PathKind::Folder ? readTrackDetails(path) : TrackDetails{};
    }
};

TrackDetailsReader &TrackDetailsReader::instance()
{
    static TrackDetailsReader reader;
    return reader;
}

TrackDetailsReader::TrackDetailsReader() : inbox_(std::make_shared<Inbox>())
{
    inbox_->reader = this;
    connect(&PlayController::instance(), &PlayController::trackStarted, this,
            [this](const QString &path) { trackStarted(path); });
}

TrackDetailsReader::~TrackDetailsReader()
{
    const std::lock_guard lock(inbox_->mutex);
    inbox_->reader = nullptr;
    inbox_->wake.notify_one();
}

std::optional<TrackDetails> TrackDetailsReader::details(const QString &path) const
{
    return path == path_ ? details_ : std::nullopt;
}

void TrackDetailsReader::trackStarted(const QString &path)
{
    const quint64 request = ++request_;
    // A repeated track is read once.
    if (path == path_ && details_) {
        answer(request, path, *details_);
        return;
    }
    path_ = path;
    details_.reset();
    const std::lock_guard lock(inbox_->mutex);
    if (!inbox_->started) {
        try {
            std::thread([inbox = inbox_] { inbox->serve(); }).detach();
            inbox_->started = true;
        } catch (const std::system_error &) {
            // No thread to be had (the process's limit): the file name stands.
            QMetaObject::invokeMethod(
                this, [this, request, path] { answer(request, path, {}); }, Qt::QueuedConnection);
            return;
        }
    }
    inbox_->pending.emplace(request, path);
    inbox_->wake.notify_one();
}

void TrackDetailsReader::answer(quint64 request, const QString &path, const TrackDetails &details)
{
    if (request != request_) {
        return;
    }
    details_ = details;
    emit detailsRead(path, details);
}
