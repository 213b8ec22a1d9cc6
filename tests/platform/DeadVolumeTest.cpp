#include "platform/BoundedCall.h"
#include "platform/FolderIdentity.h"
#include "platform/PathLook.h"
#include "platform/Volumes.h"
#include "support/DeadMount.h"

using platform::PathKind;

TEST(DeadVolume, HoldsOneHelperWhileEveryOtherVolumeStillAnswers)
{
    DeadMount dead({"a.mp3"});
    REQUIRE_DEAD_MOUNT(dead);
    QTemporaryDir good;
    dead.stop();
    const auto threads = [] { return QDir(QStringLiteral("/proc/self/task")).count() - 2; };
    constexpr int TenMinutes = 600000; // a caller held by the dead volume would fail by the test's time-out
    const struct {
        QString path;
        int timeoutMs;
        PathKind kind;
    } rows[] = {
        {dead.path() + "/a.mp3", 300, PathKind::NoAnswer}, // waits its bound, then gives up
        {dead.path(), TenMinutes, PathKind::NoAnswer},     // the rest no longer wait
        {dead.path() + "/deeper/b.mp3", TenMinutes, PathKind::NoAnswer},
        {good.path(), 300, PathKind::Folder},
        {good.path() + "/none", 300, PathKind::Missing},
        {"/dev/null", 300, PathKind::Other},
    };
    // A helper that has just answered may not be back in the pool when the next look
    // starts, so the count may grow a little, but never past the pool's bound.
    const qsizetype before = threads();
    for (int round = 0; round < 20; ++round) {
        for (const auto &row : rows) {
            EXPECT_EQ(platform::lookAt(row.path, row.timeoutMs).kind, row.kind) << row.path.toStdString();
        }
    }
    EXPECT_EQ(platform::probeDirectory(dead.path(), 300), platform::DirectoryAnswer::NoAnswer);
    const auto ids = platform::folderIdentities({dead.path(), good.path()}, 300);
    EXPECT_EQ(std::pair(ids[0].has_value(), ids[1].has_value()), std::pair(false, true))
        << "only the dead volume's paths stay unknown";
    EXPECT_TRUE(QTest::qWaitFor([] { return platform::helpersOut() == 1; }, 5000))
        << "the dead volume's look";
    EXPECT_LE(threads(), before + platform::MaxHelpers) << "however often the dead volume was asked";
    dead.wake();
    EXPECT_TRUE(QTest::qWaitFor([] { return platform::helpersOut() == 0; }, 10000));
    EXPECT_EQ(platform::lookAt(dead.path() + "/a.mp3", 5000).kind, PathKind::File) << "answers again";
}
