#include "platform/InstanceLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

// Ours, and nobody else can put a file into it (and so take the lock first).
bool isPrivateFolder(const QString &folder)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(folder).constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == ::geteuid() && (st.st_mode & 022) == 0;
}

// Without a runtime folder, never a shared one such as /tmp: a folder of our
// own, made private from the start.
QString lockFolder()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty() && isPrivateFolder(runtime)) {
        return runtime;
    }
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    QDir().mkpath(cache);
    const QString own = cache + QStringLiteral("/lyrabox3");
    ::mkdir(QFile::encodeName(own).constData(), 0700);
    return own;
}

} // namespace

InstanceLock::InstanceLock(QString path) : path_(std::move(path)) {}

InstanceLock::~InstanceLock() = default;

QString InstanceLock::defaultPath()
{
    return lockFolder() + QStringLiteral("/lyrabox3.lock");
}

InstanceLock::Result InstanceLock::acquire(QString *error)
{
    if (isHeld()) {
        return Result::Acquired;
    }
    const QString folder = QFileInfo(path_).absolutePath();
    if (QFileInfo(folder).isDir() && !isPrivateFolder(folder)) {
        if (error != nullptr) {
            *error = QStringLiteral("他のユーザーも書き込めるフォルダです");
        }
        return Result::Failed;
    }
    lock_ = std::make_unique<QLockFile>(path_);
    // A lock whose owner died is taken over by tryLock; no age limit, since the
    // owner's process id is checked.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0)) {
        return Result::Acquired;
    }
    const bool held = lock_->error() == QLockFile::LockFailedError;
    lock_.reset();
    if (held) {
        return Result::HeldByAnother;
    }
    if (error != nullptr) {
        const QFileInfo folder(QFileInfo(path_).absolutePath());
        *error = !folder.isDir()        ? QStringLiteral("フォルダがありません")
                 : !folder.isWritable() ? QStringLiteral("フォルダに書き込めません")
                                        : QStringLiteral("ロックファイルを作成できません");
    }
    return Result::Failed;
}

void InstanceLock::release()
{
    lock_.reset();
}

bool InstanceLock::isHeld() const
{
    return lock_ && lock_->isLocked();
}

InstanceLock &programInstanceLock()
{
    static InstanceLock lock;
    return lock;
}

} // namespace platform
