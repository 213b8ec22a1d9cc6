#include "platform/FileReplace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

const QByteArray NewFileMark = ".new-";

bool failed(QString *error, int problem)
{
    if (error != nullptr) {
        *error = QString::fromLocal8Bit(std::strerror(problem));
    }
    return false;
}

QByteArray unguessableSuffix()
{
    unsigned char random[9] = {};
    if (::getrandom(random, sizeof random, 0) != ssize_t(sizeof random)) {
        return {};
    }
    return QByteArray(reinterpret_cast<const char *>(random), sizeof random)
        .toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
}

// The old file's permissions are kept; a new one is made as any file would be.
mode_t finalMode(const QByteArray &target, FileMode mode, bool *exact)
{
    struct stat old {};
    *exact = mode == FileMode::Private || (::lstat(target.constData(), &old) == 0 && S_ISREG(old.st_mode));
    if (mode == FileMode::Private) {
        return 0600;
    }
    return *exact ? old.st_mode & 07777 : 0666;
}

// A new file of its own next to the target, so the rename stays on one file
// system, never wider than the target will be.
int createBeside(const QByteArray &target, FileMode mode, QByteArray &name)
{
    bool exact = false;
    const mode_t permissions = finalMode(target, mode, &exact);
    for (int attempt = 0; attempt < 10; ++attempt) {
        const QByteArray suffix = unguessableSuffix();
        if (suffix.isEmpty()) {
            return -1;
        }
        name = target + NewFileMark + suffix;
        const int fd =
            ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, permissions);
        if (fd >= 0) {
            // The umask narrowed a mode the old file had: give it back.
            if (exact) {
                ::fchmod(fd, permissions);
            }
            return fd;
        }
        if (errno != EEXIST) {
            return -1;
        }
    }
    return -1;
}

// The errno of the failed write, or 0.
int writeAll(int fd, QByteArrayView bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::write(fd, bytes.data() + done, static_cast<size_t>(bytes.size() - done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return got == 0 ? ENOSPC : errno;
        }
        done += got;
    }
    return 0;
}

// A full disk may show only when the data is flushed, so sync and close are
// checked like every write. A file system that cannot sync has nothing to lose.
int settle(int fd)
{
    const int synced = ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP ? 0 : errno;
    const int closed = ::close(fd) == 0 ? 0 : errno;
    return synced != 0 ? synced : closed;
}

// Without this a power cut right after the rename may bring the old file back.
void syncFolder(const QByteArray &folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// New files of ours for this target that a crash left: regular files of this user.
void removeLeftovers(const QByteArray &folder, const QByteArray &target)
{
    DIR *dir = ::opendir(folder.constData());
    if (dir == nullptr) {
        return;
    }
    const QByteArray prefix = target.mid(target.lastIndexOf('/') + 1) + NewFileMark;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        struct stat st {};
        if (name.startsWith(prefix) &&
            ::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            st.st_uid == ::geteuid()) {
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
        }
    }
    ::closedir(dir);
}

} // namespace

bool replaceFile(const QString &path, QByteArrayView bytes, QString *error, FileMode mode)
{
    const QString folderPath = QFileInfo(path).absolutePath();
    QDir().mkpath(folderPath);
    const QByteArray target = QFile::encodeName(path);
    const QByteArray folder = QFile::encodeName(folderPath);
    QByteArray temporary;
    const int fd = createBeside(target, mode, temporary);
    if (fd < 0) {
        return failed(error, errno);
    }
    const int written = writeAll(fd, bytes);
    const int settled = settle(fd);
    int problem = written != 0 ? written : settled;
    if (problem == 0 && ::rename(temporary.constData(), target.constData()) != 0) {
        problem = errno;
    }
    if (problem != 0) {
        ::unlink(temporary.constData());
        return failed(error, problem);
    }
    syncFolder(folder);
    removeLeftovers(folder, target);
    return true;
}

} // namespace platform
