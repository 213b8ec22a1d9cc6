#include "platform/FolderIdentity.h"

#include "platform/FileNameCodec.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <sys/stat.h>
#include <thread>

namespace platform {

std::optional<FolderIdentity> folderIdentity(const QString &path)
{
    struct stat st {};
    if (::stat(encodeFileName(path).constData(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        return std::nullopt;
    }
    return FolderIdentity{quint64(st.st_dev), quint64(st.st_ino)};
}

QList<std::optional<FolderIdentity>> folderIdentities(const QStringList &paths, int timeoutMs)
{
    struct Shared {
        std::mutex mutex;
        std::condition_variable done;
        QList<std::optional<FolderIdentity>> ids;
        bool finished = false;
    };
    auto shared = std::make_shared<Shared>();
    shared->ids.resize(paths.size());
    // Detached: a thread stuck in the kernel on a dead volume must not hold the window.
    std::thread([shared, paths] {
        for (qsizetype i = 0; i < paths.size(); ++i) {
            const std::optional<FolderIdentity> id = folderIdentity(paths.at(i));
            const std::lock_guard lock(shared->mutex);
            shared->ids[i] = id;
        }
        const std::lock_guard lock(shared->mutex);
        shared->finished = true;
        shared->done.notify_one();
    }).detach();
    std::unique_lock lock(shared->mutex);
    shared->done.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return shared->finished; });
    return shared->ids;
}

} // namespace platform
