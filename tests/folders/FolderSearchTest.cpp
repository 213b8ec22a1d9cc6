#include "FolderFixture.h"

#include "folders/FolderSearchForm.h"
#include "folders/FolderSearchWorker.h"
#include "support/SmallDisk.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QScopeGuard>

#include <future>
#include <thread>

namespace {

class FolderSearch : public FolderFixture {
protected:
    void SetUp() override
    {
        FolderFixture::SetUp();
        root = folderWith("drive", {"a.mp3"});
        one = folderWith("drive/Albums/One", {"1.flac"});
        two = folderWith("drive/Albums/Two", {"2.MP3"});
        for (const char *dangling : {"a", "b", "c", "d", "e", "f", "g", "h"}) {
            // A failed look at a link is no failed listing: the folder is still a hit.
            QFile::link(music.filePath("nowhere"), two + dangling + ".mp3");
        }
        folderWith("drive/.hidden", {"h.mp3"});
        folderWith("drive/Docs", {"readme.txt"});
        QFile::link(root, root + "Albums/loop");
        QFile::link(one, root + "LinkToOne");
        platform::setVolumeSource([r = root] { return QList<platform::Volume>{{r, "T"}}; });
    }
    void search(FolderSearchForm &form, bool stopAtOnce = false)
    {
        messages.answerWith(platform::MessageAnswer::Yes);
        form.FSStart->click();
        EXPECT_FALSE(form.InfoSearchHitList->isEnabled());
        if (stopAtOnce) {
            form.SearchCancel->click();
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return !form.searching() && form.FSStart->isEnabled(); }, 20000));
        EXPECT_EQ(form.SearchInfoLabel->text(),
                  stopAtOnce ? "フォルダ検索を中止しました。" : "フォルダ検索が完了しました。");
        EXPECT_FALSE(form.SearchCancel->isEnabled());
        EXPECT_TRUE(form.InfoSearchHitList->isEnabled());
    }

    QString root, one, two;
};

TEST_F(FolderSearch, FindsEachFolderThatHoldsMusicOnceAndOnlyWhenAskedWithinTheDrivesFileSystem)
{
    setup().OpenFolderSearch->click();
    FolderSearchForm &form = *FormRegistry::instance().find<FolderSearchForm>();
    EXPECT_FALSE(FormRegistry::instance().find<FolderForm>()->isEnabled());
    messages.answerWith(platform::MessageAnswer::No);
    form.FSStart->click();
    EXPECT_FALSE(form.searching());
    EXPECT_TRUE(form.SearchInfoLabel->isHidden());
    EXPECT_EQ(messages.shown().last().text, "フォルダ検索を開始します。\r\nよろしいですか？");
    search(form);
    search(form);
    search(form, true);
    EXPECT_EQ(sorted(form.SearchHitList), (QStringList{root, one, two}));
    EXPECT_EQ(form.InfoSearchHitList->model()->rowCount(), 3);
    EXPECT_EQ(form.InfoSearchHitList->model()->index(1, 0).data(Qt::ToolTipRole).toString(),
              form.SearchHitList.at(1));

    // It stays within the file system of the drive.
    const SmallDisk disk(music.filePath("drive/Mounted"));
    if (!disk.mounted) {
        GTEST_SKIP() << SmallDisk::needsRoot;
    }
    folderWith("drive/Mounted", {"m.mp3"});
    folderWith("drive/Mounted/Inside", {"m.mp3"});
    search(form);
    EXPECT_EQ(sorted(form.SearchHitList), (QStringList{root, one, two}));
}

TEST_F(FolderSearch, DropAndTakeOverAddOnlyNewFoldersAndRenewOnlyWithHits)
{
    const QString oneLink = music.filePath("OneLink");
    QFile::link(one, oneLink);
    folderWith("drive/Line\rEnd", {"x.mp3"});
    const struct {
        bool withHits;
        QPushButton *FolderSearchForm::*close; // none: the title bar's close
        QStringList play, wait;
        bool renewed;
    } rows[] = {
        {false, &FolderSearchForm::ExitFolderSearch, {root}, {oneLink}, false},
        {true, &FolderSearchForm::ExitFolderSearch, {root, two}, {oneLink}, true},
        {true, &FolderSearchForm::CancelFolderSearch, {root}, {oneLink}, false},
        {true, nullptr, {root}, {oneLink}, false},
    };
    for (const auto &row : rows) {
        list->FolderList = {root};
        list->FolderWaitList = {oneLink}; // the same folder as the hit one
        list->PlayListRenewal();
        list->PlayList->removeAt(0);
        setup().OpenFolderSearch->click();
        FolderSearchForm &form = *FormRegistry::instance().find<FolderSearchForm>();
        if (row.withHits) {
            search(form);
            click(form.InfoSearchHitList, 0);
            EXPECT_FALSE(form.InfoFolderPosition->text().isEmpty());
            form.FHCancel->click();
            EXPECT_TRUE(form.InfoFolderPosition->text().isEmpty());
            EXPECT_FALSE(form.FHCancel->isEnabled());
            EXPECT_FALSE(form.InfoSearchHitList->selectionModel()->hasSelection()) << "no next hit is taken";
            EXPECT_EQ(form.InfoPlayFile->property("folder").toString(),
                      QCoreApplication::applicationDirPath());
            EXPECT_EQ(form.SearchHitList.size(), 3);
            form.SearchHitList.append(root); // dropped, and already a play folder anyway
        }
        const qsizetype before = messages.shown().size();
        row.close ? (form.*row.close)->click() : (void)form.close();
        EXPECT_EQ(messages.shown().size() - before, row.renewed ? 1 : 0); // the hit with a line end
        FolderForm *setup = FormRegistry::instance().find<FolderForm>();
        EXPECT_TRUE(setup->isEnabled());
        EXPECT_EQ(FormRegistry::instance().find<FolderSearchForm>(), nullptr);
        EXPECT_EQ(sorted(list->FolderList), sorted(row.play)) << "row " << &row - rows;
        EXPECT_EQ(setup->FolderListAppearance->model()->rowCount(), row.play.size());
        EXPECT_EQ(list->FolderWaitList, row.wait);
        EXPECT_EQ(list->PlayList->count(), row.renewed ? 2 : 0);
        TestEnvironment::flushEvents();
    }
}

TEST_F(FolderSearch, AVolumeThatHangsHoldsNeitherTheDriveListsNorTheClosingSearchWindow)
{
    std::promise<void> release, finished;
    const std::shared_future<void> held = release.get_future().share();
    // Should the windows wait after all, the mount comes back after a while and the test fails.
    std::thread watchdog([&release, end = finished.get_future()] {
        end.wait_for(std::chrono::seconds(20));
        release.set_value();
    });
    const auto cleanUp = qScopeGuard([&] {
        finished.set_value();
        watchdog.join();
        FolderSearchWorker::setWalk({});
    });
    platform::setVolumeSource([held, r = root] {
        held.wait();
        return QList<platform::Volume>{{"/", "root"}, {r, "T"}};
    });
    FolderSearchWorker::setWalk([held](const QString &from, const std::atomic<bool> &, const auto &onHit) {
        onHit(from);
        held.wait(); // stuck in the kernel, deaf to the stop
    });
    setup().OpenFolderSearch->click();
    FolderSearchForm &form = *FormRegistry::instance().find<FolderSearchForm>();
    EXPECT_EQ(form.SearchDrive->count(), 1); // only "/", for want of an answer
    messages.answerWith(platform::MessageAnswer::Yes);
    form.FSStart->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form.InfoSearchHitList->model()->rowCount() == 1; }, 10000));
    form.close(); // the title bar's close: the other commands wait for the search
    EXPECT_EQ(held.wait_for(std::chrono::seconds(0)), std::future_status::timeout);
    EXPECT_EQ(FormRegistry::instance().find<FolderSearchForm>(), nullptr);
    EXPECT_TRUE(FormRegistry::instance().find<FolderForm>()->isEnabled());
}

} // namespace
