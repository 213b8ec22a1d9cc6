#include "platform/InstanceLock.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace platform {

InstanceLock::InstanceLock(QString path) : path_(std::move(path)) {}

InstanceLock::~InstanceLock() = default;

QString InstanceLock::defaultPath()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) {
        dir = QDir::tempPath();
    }
    return dir + QStringLiteral("/lyrabox3.lock");
}

InstanceLock::Result InstanceLock::acquire(QString *error)
{
    if (isHeld()) {
        return Result::Acquired;
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
