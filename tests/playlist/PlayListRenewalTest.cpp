#include "PlayListFixture.h"

#include "app/RandomSource.h"
#include "mainwindow/MainForm.h"
#include "playlist/FilePattern.h"
#include "playlist/MusicFileLister.h"
#include "playlist/PathDisplayForm.h"

namespace {

class PlayListRenewalTest : public PlayListFixture {
protected:
    // The main window's counter, made here when the main window has none yet.
    QLabel *mainCounter()
    {
        MainForm &main = FormRegistry::instance().load<MainForm>();
        auto *label = main.findChild<QLabel *>(QStringLiteral("FileStatusLabel"));
        if (label == nullptr) {
            label = new QLabel(&main);
            label->setObjectName(QStringLiteral("FileStatusLabel"));
        }
        return label;
    }

    static QStringList shown(const PlayListForm &form)
    {
        QStringList rows;
        const QAbstractItemModel *model = form.OpenPlayList->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            rows << model->index(row, 0).data().toString();
        }
        return rows;
    }
};

} // namespace

TEST_F(PlayListRenewalTest, CollectsTheMatchingVisibleFilesOfEveryFolder)
{
    const QString rock =
        folderWith(QStringLiteral("Rock"), {"a.mp3", "B.WAV", "c.mid", "notes.txt", ".d.mp3"});
    const QString jazz = folderWith(QStringLiteral("Jazz"), {"j.au"});
    PlayListForm &form = load();
    form.FolderList = {rock, music.filePath("missing/"), jazz, rock};
    form.PlayListRenewal();
    EXPECT_EQ(sorted(form.PlayList->paths()),
              sorted({rock + "a.mp3", rock + "B.WAV", rock + "c.mid", jazz + "j.au", rock + "a.mp3",
                      rock + "B.WAV", rock + "c.mid"}));
    EXPECT_TRUE(form.MusicAllList.isEmpty());
    EXPECT_EQ(sys().TotalFiles, 7);
    EXPECT_EQ(form.NaviFolder->text(), QStringLiteral("4"));
    EXPECT_EQ(form.NaviAllFile->text(), QStringLiteral("7"));
    EXPECT_EQ(form.NaviFile->text(), QStringLiteral("7"));

    QStringList twins;
    for (const QString &path : form.PlayList->paths()) {
        twins << FileNameShortCut(path);
    }
    EXPECT_EQ(shown(form), twins);
}

TEST_F(PlayListRenewalTest, FolderPathsGetExactlyOneSeparator)
{
    const QString rock = folderWith(QStringLiteral("Rock"), {"a.mp3"});
    PlayListForm &form = load();
    form.FolderList = {rock.chopped(1)};
    form.PlayListRenewal();
    EXPECT_EQ(form.PlayList->paths(), QStringList{rock + "a.mp3"});

    form.MusicFilePattern = QStringLiteral("*");
    form.FolderList = {QStringLiteral("/")};
    form.PlayListRenewal();
    QStringList rootFiles;
    listMusicFiles(QStringLiteral("/"), FilePattern(QStringLiteral("*")), rootFiles);
    for (QString &name : rootFiles) {
        name.prepend(u'/');
    }
    EXPECT_EQ(sorted(form.PlayList->paths()), sorted(rootFiles));
}

TEST_F(PlayListRenewalTest, PatternGroupsComeFromTheSettings)
{
    folderWith(QStringLiteral("Mix"), {"a.mp3", "b.wma", "none"});
    putListFile(QStringLiteral(".fllx3"), (music.filePath("Mix") + "/\r\n\r\n").toUtf8());
    for (int group = 1; group <= 6; ++group) {
        setSetting(RegistryModule::MFPattern(group), QStringLiteral("none"));
    }
    PlayListForm &form = load();
    EXPECT_EQ(form.PlayList->paths(), QStringList{music.filePath("Mix") + "/none"});
}

TEST_F(PlayListRenewalTest, FixedDrawsKeepOrReverseTheCollectedOrder)
{
    const QString rock = folderWith(QStringLiteral("Rock"), {"1.mp3", "2.mp3", "3.mp3", "4.mp3"});
    QStringList collected;
    listMusicFiles(rock, FilePattern(QStringLiteral("*.mp3")), collected);
    for (QString &name : collected) {
        name.prepend(rock);
    }
    PlayListForm &form = load();
    form.FolderList = {rock};
    RandomSource::setDrawOverride([] { return 0.0; });
    form.PlayListRenewal();
    EXPECT_EQ(form.PlayList->paths(), collected);

    RandomSource::setDrawOverride([] { return 0.999999; });
    form.PlayListRenewal();
    std::reverse(collected.begin(), collected.end());
    EXPECT_EQ(form.PlayList->paths(), collected);

    // Within the list the same rule deals the queue again: reversed back.
    form.PartListRenewal->click();
    std::reverse(collected.begin(), collected.end());
    EXPECT_EQ(form.PlayList->paths(), collected);
}

TEST_F(PlayListRenewalTest, TheMainCounterShowsTheNewTotalOnceTheMainWindowIsLoaded)
{
    const QString rock = folderWith(QStringLiteral("Rock"), {"1.mp3", "2.mp3", "3.mp3"});
    putListFile(QStringLiteral(".fllx3"), (rock + "\r\n\r\n").toUtf8());
    PlayListForm &form = load();
    QLabel *counter = mainCounter();
    counter->setText(QStringLiteral("before"));
    form.AllListRenewal->click();
    EXPECT_EQ(counter->text(), QStringLiteral("Rest : 3 / 3 Files"));

    form.FolderList.clear();
    form.PlayListRenewal();
    EXPECT_EQ(counter->text(), QStringLiteral("Rest : 0 / 0 Files"));

    sys().MainFormLoaded = false;
    form.FolderList = {rock};
    form.PlayListRenewal();
    EXPECT_EQ(counter->text(), QStringLiteral("Rest : 0 / 0 Files"));
}

TEST_F(PlayListRenewalTest, RenewalWithinTheListKeepsHeldBackFilesOutAndTheCountsAsTheyAre)
{
    const QString rock = folderWith(QStringLiteral("Rock"), {"1.mp3", "2.mp3", "3.mp3"});
    PlayListForm &form = load();
    form.FolderList = {rock};
    form.PlayListRenewal();
    const QString heldBack = form.PlayList->at(1);
    form.OpenPlayList->setCurrentIndex(form.PlayList->index(1));
    form.PlayCancelFile->click();
    folderWith(QStringLiteral("Rock"), {"4.mp3"});

    form.PartListRenewal->click();
    EXPECT_EQ(form.PlayList->count(), 2);
    EXPECT_FALSE(form.PlayList->paths().contains(heldBack));
    EXPECT_FALSE(form.PlayList->paths().contains(rock + "4.mp3"));
    EXPECT_EQ(sys().TotalFiles, 3);
    EXPECT_EQ(form.NaviAllFile->text(), QStringLiteral("3"));
    EXPECT_EQ(form.NaviFile->text(), QStringLiteral("2"));

    form.PlayListRenewal();
    EXPECT_EQ(form.PlayList->count(), 4) << "a full renewal deals held-back and new files in";
}

TEST_F(PlayListRenewalTest, RenewalLeavesNothingSelectedAndThePathBoxEmpty)
{
    const QString rock = folderWith(QStringLiteral("Rock"), {"1.mp3", "2.mp3", "3.mp3"});
    PlayListForm &form = load();
    form.FolderList = {rock};
    for (auto renew : {&PlayListForm::PlayListRenewal, &PlayListForm::PartListRenewal_Click}) {
        form.PlayListRenewal();
        form.OpenPlayList->setCurrentIndex(form.PlayList->index(1));
        ASSERT_FALSE(form.FilePosition->text().isEmpty());
        ASSERT_TRUE(form.PlayCancelFile->isEnabled());
        (form.*renew)();
        EXPECT_TRUE(form.OpenPlayList->selectionModel()->selectedRows().isEmpty());
        EXPECT_TRUE(form.FilePosition->text().isEmpty());
        EXPECT_FALSE(form.PlayCancelFile->isEnabled());
        EXPECT_FALSE(form.PlayUpFile->isEnabled());
        EXPECT_FALSE(form.PlayDownFile->isEnabled());
    }
}

TEST_F(PlayListRenewalTest, ListsBeyondSixteenBitsCount)
{
    const int files = 33000;
    QStringList names;
    for (int i = 0; i < files; ++i) {
        names << QStringLiteral("%1.mp3").arg(i);
    }
    const QString big = folderWith(QStringLiteral("Big"), names);
    PlayListForm &form = load();
    form.FolderList = {big};
    form.PlayListRenewal();
    EXPECT_EQ(sys().TotalFiles, files);
    EXPECT_EQ(form.NaviAllFile->text(), QStringLiteral("33000"));
    EXPECT_EQ(form.OpenPlayList->model()->rowCount(), files);
    QStringList dealt = form.PlayList->paths();
    EXPECT_EQ(QSet<QString>(dealt.begin(), dealt.end()).size(), files) << "each file once";

    form.OpenPlayList->setCurrentIndex(form.PlayList->index(files - 1));
    form.PlayCancelFile->click();
    EXPECT_EQ(form.NaviFile->text(), QStringLiteral("32999"));
    form.PartListRenewal->click();
    EXPECT_EQ(form.PlayList->count(), files - 1);
}
