#include "platform/InstanceLock.h"
#include "platform/Launcher.h"
#include "platform/TerminationSignals.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <QTest>

using ChildDescriptors = CleanStateTest;

namespace {

// What a program started by the player holds beyond its standard three, each
// as "number target".
QStringList descriptorsOfAStartedProgram(const QTemporaryDir &dir)
{
    const QString script = dir.filePath("list-fds"), out = dir.filePath("fds");
    QFile::remove(out);
    const QByteArray to = QFile::encodeName(out);
    writeFile(script, "#!/bin/sh\nfind /proc/self/fd -mindepth 1 -maxdepth 1 -printf '%f %l\\n' > " + to +
                          ".part && mv " + to + ".part " + to + "\n");
    QFile::setPermissions(script, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (!platform::launchProgram(script) || !QTest::qWaitFor([&] { return QFile::exists(out); }, 10000)) {
        return {"not started"};
    }
    QStringList held;
    for (const QByteArray &line : readFile(out).split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() == 2 && fields[0].toInt() > 2 && !fields[1].startsWith("/proc/")) {
            held << QString::fromUtf8(line);
        }
    }
    return held;
}

} // namespace

TEST_F(ChildDescriptors, AStartedProgramHoldsNoDescriptorOfOurs)
{
    QTemporaryDir dir;
    platform::setProgramLauncher({});
    // What the test program itself was given; the player's own come on top.
    const QStringList before = descriptorsOfAStartedProgram(dir);
    platform::TerminationSignals endSignals([] {});
    platform::InstanceLock lock(dir.filePath("l.lock"));
    ASSERT_EQ(lock.acquire(), platform::InstanceLock::Result::Acquired);
    EXPECT_EQ(descriptorsOfAStartedProgram(dir), before);
}
