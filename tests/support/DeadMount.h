#pragma once

#include "support/TestFiles.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

// A network folder whose server went away, made for real: a FUSE mount (bindfs)
// whose daemon is stopped, so every look below it blocks in the kernel. The
// daemon is always woken and the mount lazily detached again, so a hung mount
// never outlives the test.
class DeadMount {
public:
    // Holds `files` (empty) until stop(); other users may look in it too.
    explicit DeadMount(const QStringList &files = {})
    {
        QFile::setPermissions(base_.path(), QFileDevice::Permissions(0x7755));
        QDir().mkpath(source());
        QDir().mkpath(path());
        for (const QString &name : files) {
            writeFile(source() + u'/' + name, {});
        }
        if (skipReason().isEmpty()) {
            // Should the test be killed, the daemon goes too and the mount fails instead of hanging.
            daemon_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
            daemon_.start(QStringLiteral("bindfs"), {"-f", "-o", "allow_other", source(), path()});
            mounted_ = QTest::qWaitFor([this] { return isMounted(); }, 10000);
        }
    }
    ~DeadMount()
    {
        wake();
        QProcess::execute(QStringLiteral("umount"), {"-l", path()});
        daemon_.terminate();
        if (!daemon_.waitForFinished(5000)) {
            daemon_.kill();
            daemon_.waitForFinished(5000);
        }
    }

    // Why this machine cannot make one; empty when it can.
    static QString skipReason()
    {
        if (::geteuid() != 0) {
            return QStringLiteral("a FUSE mount made for the test needs root");
        }
        if (!QFile::exists(QStringLiteral("/dev/fuse"))) {
            return QStringLiteral("no /dev/fuse");
        }
        if (QStandardPaths::findExecutable(QStringLiteral("bindfs")).isEmpty()) {
            return QStringLiteral("bindfs is not installed (scripts/install-deps.sh)");
        }
        return {};
    }

    bool mounted() const { return mounted_; }
    void stop() { signal(SIGSTOP); }
    void wake() { signal(SIGCONT); }
    // The mount point, without a final "/".
    QString path() const { return base_.path() + QStringLiteral("/dead"); }

private:
    // Never to pid 0: that would stop or wake the whole process group, ctest with it.
    void signal(int number)
    {
        if (daemon_.processId() > 0) {
            ::kill(pid_t(daemon_.processId()), number);
        }
    }
    QString source() const { return base_.path() + QStringLiteral("/source"); }
    bool isMounted() const
    {
        return readFile(QStringLiteral("/proc/self/mountinfo"))
            .contains(' ' + QFile::encodeName(path()) + ' ');
    }

    QTemporaryDir base_;
    QProcess daemon_;
    bool mounted_ = false;
};

// Skips the test, saying why, when no dead mount can be made here.
#define REQUIRE_DEAD_MOUNT(mount)                                                                            \
    if (!DeadMount::skipReason().isEmpty()) {                                                                \
        GTEST_SKIP() << DeadMount::skipReason().toStdString();                                               \
    }                                                                                                        \
    ASSERT_TRUE((mount).mounted())
