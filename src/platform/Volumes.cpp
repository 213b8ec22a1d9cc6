#include "platform/Volumes.h"

#include "platform/BoundedCall.h"
#include "platform/FileNameCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <poll.h>
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

// Escapes of the mount table ("\\040", three octal digits) and of the label links
// ("\\x20", two hexadecimal digits) back to bytes.
QByteArray unescape(const QByteArray &field, const char *introducer, int digits, int base)
{
    QByteArray out;
    const qsizetype length = qsizetype(std::strlen(introducer));
    for (qsizetype i = 0; i < field.size(); ++i) {
        bool valid = false;
        const qsizetype end = i + length + digits;
        const int code = field.mid(i, length) == introducer && end <= field.size()
                             ? field.mid(i + length, digits).toInt(&valid, base)
                             : 0;
        if (valid) {
            out += char(code);
            i = end - 1;
        } else {
            out += field[i];
        }
    }
    return out;
}

// Labels as the desktop names disks, from the links the device manager keeps.
QString labelOf(const QString &device)
{
    if (!device.startsWith(QStringLiteral("/dev/"))) {
        return {};
    }
    const QString target = QFileInfo(device).canonicalFilePath();
    const QDir labels(QStringLiteral("/dev/disk/by-label"));
    for (const QFileInfo &link : labels.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
        if (!target.isEmpty() && link.canonicalFilePath() == target) {
            return QString::fromUtf8(unescape(link.fileName().toUtf8(), "\\x", 2, 16));
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
        if (isRoot ? haveRoot : isPseudoFileSystem(mount.type) || isSystemArea(mount.point)) {
            continue;
        }
        QString name = labelOf(mount.device);
        if (name.isEmpty()) {
            name = QFileInfo(mount.device).fileName();
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
    const auto ask = source() ? source() : std::function<QList<Volume>()>(systemVolumes);
    // The table and the label links are no volume: they share one helper of their own.
    return answerWithin(QStringLiteral("/proc/self/mountinfo"), ask, timeoutMs)
        .value_or(QList<Volume>{{QStringLiteral("/"), QString()}});
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
        const auto field = [&fields](qsizetype i) { return unescape(fields[i], "\\", 3, 8); };
        mounts.append({decodeFileName(field(4)), field(dash + 1), decodeFileName(field(dash + 2))});
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

// The table is read again only when the kernel says it changed: every look asks it.
QString mountPointOf(const QString &path)
{
    static std::mutex mutex;
    static QList<Mount> table;
    static int watch = -1;
    const std::lock_guard lock(mutex);
    bool changed = watch < 0;
    if (watch < 0) {
        watch = ::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
    } else {
        pollfd event{watch, POLLPRI, 0};
        changed = ::poll(&event, 1, 0) > 0 && (event.revents & (POLLERR | POLLPRI)) != 0;
    }
    if (changed || watch < 0) {
        table = mountTable();
    }
    return mountPointOf(path, table);
}

QString mountPointOf(const QString &path, const QList<Mount> &table)
{
    const QString folder = withSlash(path);
    QString best = QStringLiteral("/");
    for (const Mount &mount : table) {
        const QString point = withSlash(mount.point);
        if (folder.startsWith(point) && point.size() > best.size()) {
            best = point;
        }
    }
    return best;
}

DirectoryAnswer probeDirectory(const QString &path, int timeoutMs)
{
    const std::optional<int> error = answerWithin<int>(
        mountPointOf(path),
        [bytes = encodeFileName(path)] {
            const int fd = ::open(bytes.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            const int failure = fd < 0 ? errno : 0;
            if (fd >= 0) {
                ::close(fd);
            }
            return failure;
        },
        timeoutMs);
    if (!error || meansNoAnswer(*error)) {
        return DirectoryAnswer::NoAnswer;
    }
    return *error == 0 ? DirectoryAnswer::Answered : DirectoryAnswer::Failed;
}

} // namespace platform
