#include "PlayListFixture.h"

#include "app/RandomSource.h"
#include "playlist/PathDisplayForm.h"

using PlayListRenewalTest = PlayListFixture;

TEST_F(PlayListRenewalTest, CollectsTheMatchingVisibleFilesOfEveryFolder)
{
    const QString rock =
        folderWith(QStringLiteral("Rock"), {"a.mp3", "B.WAV", "c.mid", "notes.txt", ".d.mp3"});
    const QString jazz = folderWith(QStringLiteral("Jazz"), {"j.au"});
    PlayListForm &form = load();
    form.FolderList = {rock, music.filePath("missing/"), jazz.chopped(1), rock};
    form.PlayListRenewal();
    const QStringList once{rock + "a.mp3", rock + "B.WAV", rock + "c.mid"};
    EXPECT_EQ(sorted(form.PlayList->paths()), sorted(once + once + QStringList{jazz + "j.au"}));
    EXPECT_TRUE(form.MusicAllList.isEmpty());
    EXPECT_EQ(sys().TotalFiles, 7);
    EXPECT_EQ(form.NaviFolder->text() + form.NaviAllFile->text() + form.NaviFile->text(),
              QStringLiteral("477"));
    const QAbstractItemModel *shown = form.OpenPlayList->model();
    for (int row = 0; row < 7; ++row) {
        EXPECT_EQ(shown->index(row, 0).data().toString(), FileNameShortCut(form.PlayList->at(row)));
    }
}

TEST_F(PlayListRenewalTest, PatternGroupsComeFromTheSettings)
{
    const QString mix = folderWith(QStringLiteral("Mix"), {"a.mp3", "b.wma", "none"});
    putListFile(".fllx3", (mix + "\r\n\r\n").toUtf8());
    for (int group = 1; group <= 6; ++group) {
        setSetting(RegistryModule::MFPattern(group), QStringLiteral("none"));
    }
    EXPECT_EQ(load().PlayList->paths(), QStringList{mix + "none"});
}

TEST_F(PlayListRenewalTest, CountersAfterFullAndPartialRenewal)
{
    const QString rock = folderWith(QStringLiteral("Rock"), {"1.mp3", "2.mp3", "3.mp3"});
    PlayListForm &form = load();
    QLabel *counter = mainCounter();
    form.FolderList = {rock};
    form.AllListRenewal->click();
    EXPECT_EQ(counter->text(), QStringLiteral("Rest : 3 / 3 Files"));

    form.OpenPlayList->setCurrentIndex(form.PlayList->index(1));
    const QString heldBack = form.FilePosition->text();
    form.PlayCancelFile->click();
    folderWith(QStringLiteral("Rock"), {"4.mp3"});
    form.PartListRenewal->click();
    EXPECT_EQ(form.PlayList->count(), 2) << "held back stays out, nothing new comes in";
    EXPECT_FALSE(form.PlayList->paths().contains(heldBack));
    EXPECT_EQ(form.NaviAllFile->text(), QStringLiteral("3"));
    EXPECT_EQ(form.NaviFile->text(), QStringLiteral("2"));
    EXPECT_EQ(counter->text(), QStringLiteral("Rest : 2 / 3 Files"));

    form.PlayListRenewal();
    EXPECT_EQ(counter->text(), QStringLiteral("Rest : 4 / 4 Files"));
    sys().MainFormLoaded = false;
    form.FolderList.clear();
    form.PlayListRenewal();
    EXPECT_EQ(counter->text(), QStringLiteral("Rest : 4 / 4 Files")) << "no main window yet";
    EXPECT_EQ(form.NaviFile->text(), QStringLiteral("0"));
}

TEST_F(PlayListRenewalTest, RenewalLeavesNothingSelectedAndThePathBoxEmpty)
{
    PlayListForm &form = load();
    form.FolderList = {folderWith(QStringLiteral("Rock"), {"1.mp3", "2.mp3", "3.mp3"})};
    for (auto renew : {&PlayListForm::PlayListRenewal, &PlayListForm::PartListRenewal_Click}) {
        form.PlayListRenewal();
        form.OpenPlayList->setCurrentIndex(form.PlayList->index(1));
        ASSERT_TRUE(form.PlayCancelFile->isEnabled());
        (form.*renew)();
        EXPECT_TRUE(form.OpenPlayList->selectionModel()->selectedRows().isEmpty());
        EXPECT_TRUE(form.FilePosition->text().isEmpty());
        EXPECT_FALSE(form.PlayCancelFile->isEnabled() || form.PlayUpFile->isEnabled() ||
                     form.PlayDownFile->isEnabled());
    }
}

TEST_F(PlayListRenewalTest, ListsBeyondSixteenBits)
{
    QStringList names;
    for (int i = 0; i < 33000; ++i) {
        names << QStringLiteral("%1.mp3").arg(i);
    }
    PlayListForm &form = load();
    form.FolderList = {folderWith(QStringLiteral("Big"), names)};
    form.PlayListRenewal();
    EXPECT_EQ(sys().TotalFiles, 33000);
    EXPECT_EQ(form.NaviAllFile->text(), QStringLiteral("33000"));
    EXPECT_EQ(form.OpenPlayList->model()->rowCount(), 33000);
    const QStringList dealt = form.PlayList->paths();
    EXPECT_EQ(QSet<QString>(dealt.begin(), dealt.end()).size(), 33000) << "each file once";
    form.OpenPlayList->setCurrentIndex(form.PlayList->index(32999));
    form.PlayCancelFile->click();
    EXPECT_EQ(form.NaviFile->text(), QStringLiteral("32999"));
}
