#include "platform/BoundedCall.h"
#include "platform/FolderIdentity.h"
#include "platform/PathLook.h"
#include "platform/Volumes.h"
#include "support/DeadMount.h"

#include <QTemporaryDir>
#include <QTest>

using platform::PathKind;

TEST(DeadVolume, HoldsOneHelperWhileEveryOtherVolumeStillAnswers)
{
    DeadMount dead({"a.mp3"});
    REQUIRE_DEAD_MOUNT(dead);
    QTemporaryDir good;
    dead.stop();
    const struct {
        QString path;
        PathKind kind;
    } rows[] = {
        {dead.path() + "/a.mp3", PathKind::NoAnswer}, // waits its bound, then gives up
        {dead.path(), PathKind::NoAnswer},            // the rest no longer wait
        {dead.path() + "/deeper/b.mp3", PathKind::NoAnswer},
        {good.path(), PathKind::Folder},
        {good.path() + "/none", PathKind::Missing},
        {"/dev/null", PathKind::Other},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(platform::lookAt(row.path, 300).kind, row.kind) << row.path.toStdString();
    }
    EXPECT_EQ(platform::probeDirectory(dead.path(), 300), platform::DirectoryAnswer::NoAnswer);
    const auto ids = platform::folderIdentities({dead.path(), good.path()}, 300);
    EXPECT_EQ(std::pair(ids[0].has_value(), ids[1].has_value()), std::pair(false, true))
        << "only the dead volume's paths stay unknown";
    EXPECT_TRUE(QTest::qWaitFor([] { return platform::helpersOut() == 1; }, 5000));
    dead.wake();
    EXPECT_TRUE(QTest::qWaitFor([] { return platform::helpersOut() == 0; }, 10000));
    EXPECT_EQ(platform::lookAt(dead.path() + "/a.mp3", 5000).kind, PathKind::File) << "answers again";
}
