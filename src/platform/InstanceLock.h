#pragma once

#include <QString>
#include <memory>

class QLockFile;

namespace platform {

// One running player per user: a lock file in the user's runtime directory, or
// without one in a private folder of the user's cache. A folder that another
// user can write is refused. A stale lock left by a dead process does not block.
class InstanceLock {
public:
    explicit InstanceLock(QString path = defaultPath());
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    enum class Result { Acquired, HeldByAnother, Failed };
    // Acquired also when this process already held it. On Failed (the lock
    // file cannot be made), `error` says why.
    Result acquire(QString *error = nullptr);
    void release();
    bool isHeld() const;

    static QString defaultPath();

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

// The lock the program holds for its whole run.
InstanceLock &programInstanceLock();

} // namespace platform
