#include "platform/Volumes.h"

#include "platform/FileNameCodec.h"

#include <QFileInfo>
#include <QStorageInfo>

#include <cerrno>
#include <condition_variable>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <thread>
#include <unistd.h>

namespace platform {
namespace {

std::function<QList<Volume>()> &source()
{
    static std::function<QList<Volume>()> s;
    return s;
}

bool isPseudoFileSystem(const QByteArray &type)
{
    static const QList<QByteArray> pseudo = {
        "proc",    "sysfs",     "cgroup",     "cgroup2",         "tmpfs",       "devtmpfs",      "devpts",
        "overlay", "squashfs",  "securityfs", "pstore",          "bpf",         "debugfs",       "tracefs",
        "mqueue",  "hugetlbfs", "autofs",     "fusectl",         "configfs",    "binfmt_misc",   "efivarfs",
        "nsfs",    "ramfs",     "rpc_pipefs", "fuse.gvfsd-fuse", "fuse.portal", "fuse.snapfuse", "rootfs",
        "nfsd"};
    return pseudo.contains(type);
}

bool isSystemArea(const QString &root)
{
    for (const char *area : {"/proc", "/sys", "/dev"}) {
        const QString prefix = QString::fromLatin1(area);
        if (root == prefix || root.startsWith(prefix + u'/')) {
            return true;
        }
    }
    return false;
}

QString withSlash(const QString &path)
{
    return path.endsWith(u'/') ? path : path + u'/';
}

QList<Volume> systemVolumes()
{
    QList<Volume> volumes;
    bool haveRoot = false;
    for (const QStorageInfo &storage : QStorageInfo::mountedVolumes()) {
        const QString root = storage.rootPath();
        const bool isRoot = root == QStringLiteral("/");
        if (!isRoot && (isPseudoFileSystem(storage.fileSystemType()) || isSystemArea(root))) {
            continue;
        }
        QString name = storage.name();
        if (name.isEmpty()) {
            name = QFileInfo(QString::fromLocal8Bit(storage.device())).fileName();
        }
        haveRoot = haveRoot || isRoot;
        volumes.append({withSlash(root), name});
    }
    if (!haveRoot) {
        volumes.prepend({QStringLiteral("/"), QString()});
    }
    return volumes;
}

bool meansNoAnswer(int error)
{
    switch (error) {
    case EIO:
    case ENXIO:
    case ENODEV:
    case ENOMEDIUM:
    case ETIMEDOUT:
    case EHOSTDOWN:
    case EHOSTUNREACH:
    case ESTALE:
    case ENOTCONN:
    case ENOENT:
        return true;
    default:
        return false;
    }
}

} // namespace

QString Volume::text() const
{
    return name.isEmpty() ? rootPath : QStringLiteral("%1 [%2]").arg(visibleFileName(rootPath), name);
}

QList<Volume> mountedVolumes()
{
    return source() ? source()() : systemVolumes();
}

void setVolumeSource(std::function<QList<Volume>()> s)
{
    source() = std::move(s);
}

Volume volumeOf(const QString &path, const QList<Volume> &volumes)
{
    const QString folder = withSlash(path);
    Volume best{QStringLiteral("/"), QString()};
    qsizetype bestLength = -1;
    for (const Volume &v : volumes) {
        if (folder.startsWith(v.rootPath) && v.rootPath.size() > bestLength) {
            best = v;
            bestLength = v.rootPath.size();
        }
    }
    return best;
}

DirectoryAnswer probeDirectory(const QString &path, int timeoutMs)
{
    struct Probe {
        std::mutex mutex;
        std::condition_variable done;
        bool finished = false;
        int error = 0;
    };
    auto probe = std::make_shared<Probe>();
    // Detached: a thread stuck in the kernel on a dead volume must not hold the window.
    std::thread([probe, bytes = encodeFileName(path)] {
        const int fd = ::open(bytes.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        const int error = fd < 0 ? errno : 0;
        if (fd >= 0) {
            ::close(fd);
        }
        const std::lock_guard lock(probe->mutex);
        probe->error = error;
        probe->finished = true;
        probe->done.notify_one();
    }).detach();
    std::unique_lock lock(probe->mutex);
    if (!probe->done.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return probe->finished; })) {
        return DirectoryAnswer::NoAnswer;
    }
    if (probe->error == 0) {
        return DirectoryAnswer::Answered;
    }
    return meansNoAnswer(probe->error) ? DirectoryAnswer::NoAnswer : DirectoryAnswer::Failed;
}

} // namespace platform
