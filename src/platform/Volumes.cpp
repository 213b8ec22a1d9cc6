#include "platform/Volumes.h"

#include "platform/FileNameCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <condition_variable>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <optional>
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

// The table escapes blanks, tabs, line ends and backslashes as three octal digits.
QByteArray unescapeOctal(const QByteArray &field)
{
    QByteArray out;
    for (qsizetype i = 0; i < field.size(); ++i) {
        bool octal = false;
        const int code = field[i] == '\\' ? field.mid(i + 1, 3).toInt(&octal, 8) : 0;
        if (octal && i + 3 < field.size()) {
            out += char(code);
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

// Labels as the desktop names disks, from the links the device manager keeps.
QString labelOf(const QString &device)
{
    const QString target = QFileInfo(device).canonicalFilePath();
    if (target.isEmpty() || !device.startsWith(QStringLiteral("/dev/"))) {
        return {};
    }
    const QDir labels(QStringLiteral("/dev/disk/by-label"));
    for (const QFileInfo &link : labels.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
        if (link.canonicalFilePath() == target) {
            // Names there escape unsafe bytes as \xHH.
            QByteArray name = link.fileName().toUtf8();
            for (qsizetype at = name.indexOf("\\x"); at >= 0; at = name.indexOf("\\x", at + 1)) {
                name.replace(at, 4, QByteArray(1, char(name.mid(at + 2, 2).toInt(nullptr, 16))));
            }
            return QString::fromUtf8(name);
        }
    }
    return {};
}

QList<Volume> systemVolumes()
{
    QList<Volume> volumes;
    bool haveRoot = false;
    for (const Mount &mount : mountTable()) {
        const bool isRoot = mount.point == QStringLiteral("/");
        if (!isRoot && (isPseudoFileSystem(mount.type) || isSystemArea(mount.point))) {
            continue;
        }
        QString name = labelOf(mount.device);
        if (name.isEmpty()) {
            name = QFileInfo(mount.device).fileName();
        }
        if (isRoot && haveRoot) {
            continue;
        }
        haveRoot = haveRoot || isRoot;
        volumes.append({withSlash(mount.point), name});
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

QList<Volume> mountedVolumesWithin(int timeoutMs)
{
    struct Answer {
        std::mutex mutex;
        std::condition_variable done;
        std::optional<QList<Volume>> volumes;
    };
    auto answer = std::make_shared<Answer>();
    // Detached: a source stuck in the kernel must not hold the window.
    std::thread([answer, ask = source() ? source() : std::function<QList<Volume>()>(systemVolumes)] {
        QList<Volume> volumes = ask();
        const std::lock_guard lock(answer->mutex);
        answer->volumes = std::move(volumes);
        answer->done.notify_one();
    }).detach();
    std::unique_lock lock(answer->mutex);
    if (!answer->done.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                               [&] { return answer->volumes.has_value(); })) {
        return {{QStringLiteral("/"), QString()}};
    }
    return *answer->volumes;
}

QList<Mount> mountTable()
{
    QFile file(QStringLiteral("/proc/self/mountinfo"));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QList<Mount> mounts;
    // id parent major:minor root point options [optional fields] - type device super-options
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        const qsizetype dash = fields.indexOf("-");
        if (dash < 6 || dash + 2 >= fields.size()) {
            continue;
        }
        mounts.append({decodeFileName(unescapeOctal(fields[4])), unescapeOctal(fields[dash + 1]),
                       decodeFileName(unescapeOctal(fields[dash + 2]))});
    }
    return mounts;
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
