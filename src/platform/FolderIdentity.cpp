#include "platform/FolderIdentity.h"

#include "platform/BoundedCall.h"
#include "platform/FileNameCodec.h"
#include "platform/Volumes.h"

#include <QHash>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <sys/stat.h>

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
        int looking = 0;
    };
    auto shared = std::make_shared<Shared>();
    shared->ids.resize(paths.size());
    // One helper per volume: a dead one leaves only its own paths unknown.
    QHash<QString, QList<qsizetype>> byMount;
    const QList<Mount> table = mountTable();
    for (qsizetype i = 0; i < paths.size(); ++i) {
        byMount[mountPointOf(paths.at(i), table)].append(i);
    }
    const Deadline deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    QList<LookTicket> looks;
    for (auto group = byMount.cbegin(); group != byMount.cend(); ++group) {
        LookTicket look = startHelper(
            group.key(),
            [shared, paths, indexes = group.value()] {
                for (const qsizetype i : indexes) {
                    const std::optional<FolderIdentity> id = folderIdentity(paths.at(i));
                    const std::lock_guard lock(shared->mutex);
                    shared->ids[i] = id;
                }
                const std::lock_guard lock(shared->mutex);
                --shared->looking;
                shared->done.notify_one();
            },
            deadline);
        if (look) {
            const std::lock_guard lock(shared->mutex);
            ++shared->looking;
            looks.append(look);
        }
    }
    std::unique_lock lock(shared->mutex);
    if (!shared->done.wait_until(lock, deadline, [&] { return shared->looking <= 0; })) {
        for (const LookTicket &look : std::as_const(looks)) {
            giveUp(look);
        }
    }
    return shared->ids;
}

} // namespace platform
