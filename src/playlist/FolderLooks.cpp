#include "playlist/FolderLooks.h"

#include "platform/BoundedCall.h"
#include "platform/FileNameCodec.h"
#include "platform/Volumes.h"

#include <QHash>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <sys/stat.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

platform::PathLook lookAtPath(const QByteArray &path)
{
    using platform::PathKind;
    struct stat st {};
    if (::stat(path.constData(), &st) != 0) {
        return {PathKind::Missing, {}};
    }
    const PathKind kind = S_ISDIR(st.st_mode)   ? PathKind::Folder
                          : S_ISREG(st.st_mode) ? PathKind::File
                                                : PathKind::Other;
    return {kind, {quint64(st.st_dev), quint64(st.st_ino)}};
}

struct Volume {
    QString mount;
    std::vector<qsizetype> folders;
    platform::LookTicket look;
    Clock::time_point lastAnswer;
    bool givenUp = false;
};

} // namespace

struct FolderLooks::State {
    std::mutex mutex;
    std::condition_variable answered;
    std::vector<std::optional<platform::PathLook>> looks;
    std::vector<qsizetype> volumeOf;
    std::vector<Volume> volumes;
    std::chrono::milliseconds bound{0};
    int waiting = 0; // a wake-up only when someone waits
};

namespace {

void startVolume(const std::shared_ptr<FolderLooks::State> &state, size_t v, const QStringList &folders)
{
    std::vector<std::pair<qsizetype, QByteArray>> paths;
    for (const qsizetype i : state->volumes[v].folders) {
        paths.emplace_back(i, platform::encodeFileName(folders[i]));
    }
    const Clock::time_point now = Clock::now();
    {
        const std::lock_guard lock(state->mutex);
        state->volumes[v].lastAnswer = now;
    }
    platform::LookTicket look = platform::startHelper(
        state->volumes[v].mount,
        [state, v, paths = std::move(paths)] {
            for (const auto &[i, path] : paths) {
                const platform::PathLook look = lookAtPath(path);
                const std::lock_guard lock(state->mutex);
                state->looks[size_t(i)] = look;
                state->volumes[v].lastAnswer = Clock::now();
                if (state->waiting > 0) {
                    state->answered.notify_all();
                }
            }
        },
        now + state->bound);
    const std::lock_guard lock(state->mutex);
    state->volumes[v].givenUp = look == nullptr; // a volume given up before, or no helper
    state->volumes[v].look = std::move(look);
    // The bound runs from when the look could start, not from the wait for a helper.
    state->volumes[v].lastAnswer = std::max(state->volumes[v].lastAnswer, Clock::now());
}

} // namespace

FolderLooks::FolderLooks(const QStringList &folders, int answerMs) : state_(std::make_shared<State>())
{
    State &s = *state_;
    s.bound = std::chrono::milliseconds(answerMs);
    s.looks.resize(size_t(folders.size()));
    const QList<platform::Mount> table = platform::mountTable();
    QHash<QString, qsizetype> byMount;
    for (const QString &folder : folders) {
        const QString mount = platform::mountPointOf(folder, table);
        const auto known = byMount.constFind(mount);
        const qsizetype v = known != byMount.cend() ? *known : byMount.insert(mount, byMount.size()).value();
        if (size_t(v) == s.volumes.size()) {
            s.volumes.push_back({mount, {}, nullptr, {}, false});
        }
        s.volumes[size_t(v)].folders.push_back(qsizetype(s.volumeOf.size()));
        s.volumeOf.push_back(v);
    }
    for (size_t v = 0; v < s.volumes.size(); ++v) {
        startVolume(state_, v, folders);
    }
}

platform::PathLook FolderLooks::at(qsizetype i)
{
    State &s = *state_;
    std::unique_lock lock(s.mutex);
    Volume &volume = s.volumes[size_t(s.volumeOf[size_t(i)])];
    while (!s.looks[size_t(i)] && !volume.givenUp) {
        if (Clock::now() >= volume.lastAnswer + s.bound) {
            volume.givenUp = true;
            if (volume.look) {
                platform::giveUp(volume.look);
            }
            break;
        }
        ++s.waiting;
        s.answered.wait_until(lock, volume.lastAnswer + s.bound);
        --s.waiting;
    }
    return s.looks[size_t(i)].value_or(platform::PathLook{});
}
