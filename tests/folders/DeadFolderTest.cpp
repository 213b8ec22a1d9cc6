#include "FolderFixture.h"

#include "platform/BoundedCall.h"
#include "support/DeadMount.h"

#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>

namespace {

using DeadFolders = FolderFixture;

// The browser on the folder above the dead one, the dead one highlighted.
FolderForm &browseToTheDeadFolder(const DeadMount &dead)
{
    FolderForm &form = FormRegistry::instance().load<FolderForm>();
    EXPECT_TRUE(form.setDirectory(QFileInfo(dead.path()).path()));
    const QPoint row = rowAt(form.DirMenu, dead.path());
    EXPECT_NE(row, QPoint(-1, -1)) << "no row for the dead folder";
    QTest::mouseClick(form.DirMenu->viewport(), Qt::LeftButton, {}, row); // highlighted, as a user does
    return form;
}

} // namespace

TEST_F(DeadFolders, ADeadFolderIsRegisteredAndKeptWhileTheGoodOnesAreDealtEvenAtTheThreadLimit)
{
    DeadMount dead({"x.mp3"});
    REQUIRE_DEAD_MOUNT(dead);
    dead.stop();
    FolderForm &form = browseToTheDeadFolder(dead);

    // At the thread limit every helper that cannot start is an answer ("none"), never the end
    // of the program. Root is not held to RLIMIT_NPROC, so the child runs as nobody.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit none{1, 1}; // no new thread at all, however many the user runs
        const bool limited = ::setgroups(0, nullptr) == 0 && ::setresgid(65534, 65534, 65534) == 0 &&
                             ::setresuid(65534, 65534, 65534) == 0 && ::setrlimit(RLIMIT_NPROC, &none) == 0;
        for (int i = 0; limited && i < 10; ++i) {
            form.FolderRegistration->click();                 // the first registers it, the rest are refused
            form.setDirectory(QFileInfo(dead.path()).path()); // no helper, no answer: the browser stays
        }
        const bool registered = list->FolderList == QStringList{dead.path() + u'/'};
        ::_exit(!limited ? 2 : registered ? 0 : 3);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "2: no limit set, 3: not registered";

    const QString rock = folderWith("Rock", {"a.mp3", "b.mp3"}).chopped(1);
    for (int click = 0; click < 3; ++click) {
        form.FolderRegistration->click();
    }
    form.setDirectory(rock);
    form.FolderRegistration->click();
    ASSERT_EQ(list->FolderList, (QStringList{dead.path() + u'/', rock + u'/'}));
    EXPECT_EQ(sorted(list->PlayList->store().toStringList()),
              (QStringList{rock + "/a.mp3", rock + "/b.mp3"}));
    EXPECT_EQ(list->NaviFolder->text(), "2");
    EXPECT_EQ(messages.shown().size(), 2) << "the second and third clicks: already a play folder";
    EXPECT_TRUE(QTest::qWaitFor([] { return platform::helpersOut() == 1; }, 10000))
        << "one look stuck on the dead volume, however often it was asked";
    list->PlayListRenewal();
    EXPECT_EQ(list->PlayList->count(), 2);
    dead.wake();
    EXPECT_TRUE(QTest::qWaitFor([] { return platform::helpersOut() == 0; }, 10000));
    list->PlayListRenewal();
    EXPECT_EQ(list->PlayList->count(), 3) << "back: its file is dealt again";
}
