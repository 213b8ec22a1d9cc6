#include "platform/InstanceLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using platform::InstanceLock;

TEST(InstanceLock, TellsALiveHolderFromALockThatCannotBeMadeOrOthersCouldTake)
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
}

// A runtime folder that is not ours is passed over for a private folder, never a shared one.
TEST(InstanceLock, WithoutAPrivateRuntimeFolderLiesInAFolderOfTheUsersOwn)
{
    if (::geteuid() != 0) {
        GTEST_SKIP() << "giving a folder to another user needs root";
    }
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    QTemporaryDir someoneElses;
    ::chown(QFile::encodeName(someoneElses.path()).constData(), 65534, 65534);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(someoneElses.path()));
    const QString folder = QFileInfo(InstanceLock::defaultPath()).path();
    qputenv("XDG_RUNTIME_DIR", runtime);
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(folder).constData(), &st), 0);
    EXPECT_NE(folder, someoneElses.path());
    EXPECT_EQ(std::pair(st.st_uid, st.st_mode & 077), std::pair(::geteuid(), mode_t(0)))
        << folder.toStdString();
}
