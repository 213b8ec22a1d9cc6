#include "platform/InstanceLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using platform::InstanceLock;

TEST(InstanceLock, TellsALiveHolderFromALockThatCannotBeMadeOrOthersCouldTakeAndLiesInAFolderOfTheUsersOwn)
{
    QTemporaryDir dir;
    QTemporaryDir shared;
    ::chmod(QFile::encodeName(shared.path()).constData(), 01777);
    InstanceLock first(dir.filePath("l.lock"));
    InstanceLock second(dir.filePath("l.lock"));
    const struct {
        InstanceLock *lock;
        InstanceLock::Result result;
    } rows[] = {
        {&first, InstanceLock::Result::Acquired},
        {&second, InstanceLock::Result::HeldByAnother},
        {new InstanceLock(QStringLiteral("/dev/null/l.lock")), InstanceLock::Result::Failed},
        {new InstanceLock(shared.filePath("l.lock")), InstanceLock::Result::Failed}, // as /tmp is
    };
    for (const auto &row : rows) {
        QString error;
        EXPECT_EQ(row.lock->acquire(&error), row.result);
        EXPECT_EQ(error.isEmpty(), row.result != InstanceLock::Result::Failed);
        if (row.lock != &first && row.lock != &second) {
            delete row.lock;
        }
    }
    EXPECT_FALSE(QFileInfo::exists(shared.filePath("l.lock")));

    // Without a runtime folder of its own (none, and Qt's own fallback taken by another
    // user), the lock goes to a private folder of the user, never to a shared one.
    if (::geteuid() != 0) {
        GTEST_SKIP() << "giving a folder to another user needs root";
    }
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR"), tmp = qgetenv("TMPDIR"),
                     cache = qgetenv("XDG_CACHE_HOME");
    QTemporaryDir home;
    const QByteArray taken =
        QFile::encodeName(shared.path() + "/runtime-" + qEnvironmentVariable("USER", "root"));
    ::mkdir(taken.constData(), 0700);
    ::chown(taken.constData(), 65534, 65534);
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", QFile::encodeName(shared.path()));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(home.path()));
    const QString folder = QFileInfo(InstanceLock::defaultPath()).path();
    qputenv("XDG_RUNTIME_DIR", runtime);
    tmp.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", tmp);
    cache.isNull() ? qunsetenv("XDG_CACHE_HOME") : qputenv("XDG_CACHE_HOME", cache);
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(folder).constData(), &st), 0) << folder.toStdString();
    EXPECT_EQ(std::tuple(folder.startsWith(shared.path()), st.st_uid, st.st_mode & 077),
              std::tuple(false, ::geteuid(), mode_t(0)))
        << folder.toStdString();
}
