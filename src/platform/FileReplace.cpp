#include "platform/FileReplace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

bool failed(QString *error, int problem)
{
    if (error != nullptr) {
        *error = QString::fromLocal8Bit(std::strerror(problem));
    }
    return false;
}

// A new file of its own next to the target, so the rename stays on one file system.
int createBeside(const QByteArray &target, QByteArray &name)
{
    for (int attempt = 0;; ++attempt) {
        name = target + ".new-" + QByteArray::number(::getpid()) + '-' + QByteArray::number(attempt);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST || attempt >= 100) {
            return fd;
        }
    }
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

// A list or settings file someone made private stays private.
void keepMode(int fd, const QByteArray &target)
{
    struct stat old {};
    if (::lstat(target.constData(), &old) == 0 && S_ISREG(old.st_mode)) {
        ::fchmod(fd, old.st_mode & 07777);
    }
}

} // namespace

bool replaceFile(const QString &path, QByteArrayView bytes, QString *error)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QByteArray target = QFile::encodeName(path);
    QByteArray temporary;
    const int fd = createBeside(target, temporary);
    if (fd < 0) {
        return failed(error, errno);
    }
    keepMode(fd, target);
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
    return true;
}

} // namespace platform
