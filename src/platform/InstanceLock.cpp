#include "platform/InstanceLock.h"

#include <QDir>
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

bool InstanceLock::acquire()
{
    if (isHeld()) {
        return true;
    }
    lock_ = std::make_unique<QLockFile>(path_);
    // A lock whose owner died is taken over by tryLock; no age limit, since the
    // owner's process id is checked.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        lock_.reset();
        return false;
    }
    return true;
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
