#include "PlayListFixture.h"

#include "platform/MessageBox.h"
#include "platform/Paths.h"
#include "playlist/ListFile.h"

namespace {

class PlayListStore : public PlayListFixture {
protected:
    // Five files in one play folder, a waiting folder, both list files.
    void prepareFolders()
    {
        folder = folderWith(QStringLiteral("Rock"), {"1.mp3", "2.mp3", "3.mp3", "4.wav", "5.mid"});
        putListFile(QStringLiteral(".fllx3"), folder.toUtf8() + "\r\n\r\n");
        putListFile(QStringLiteral(".fwllx3"), "/wait/a/\r\n/wait/b/\r\n\r\n");
    }

    QString folder;
};

} // namespace

TEST_F(PlayListStore, FirstStartGivesEmptyListsHiddenAndWritesThemBack)
{
    PlayListForm &form = load();
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(form.FolderList.isEmpty());
    EXPECT_TRUE(form.FolderWaitList.isEmpty());
    EXPECT_EQ(form.PlayList->count(), 0);
    EXPECT_EQ(form.NaviFolder->text(), QStringLiteral("0"));
    EXPECT_FALSE(sys().ListBackupOn);

    FormRegistry::instance().unload<PlayListForm>();
    EXPECT_EQ(listFileBytes(QStringLiteral(".fllx3")), QByteArray("\r\n"));
    EXPECT_EQ(listFileBytes(QStringLiteral(".fwllx3")), QByteArray("\r\n"));
    EXPECT_EQ(listFileBytes(QStringLiteral(".flblx3")), QByteArray("<missing>"));
    EXPECT_EQ(PlayListForm::listFilePath(QStringLiteral(".fllx3")), platform::dataDir() + "tester.fllx3");
}

TEST_F(PlayListStore, LoadReadsTheFolderListsAndRenews)
{
    prepareFolders();
    PlayListForm &form = load();
    EXPECT_EQ(form.FolderList, QStringList{folder});
    EXPECT_EQ(form.FolderWaitList, (QStringList{"/wait/a/", "/wait/b/"}));
    EXPECT_EQ(form.PlayList->count(), 5);
    EXPECT_EQ(sys().TotalFiles, 5);
    EXPECT_EQ(form.NaviAllFile->text(), QStringLiteral("5"));
    EXPECT_EQ(form.NaviFile->text(), QStringLiteral("5"));
    EXPECT_EQ(form.NaviFolder->text(), QStringLiteral("1"));

    form.FolderWaitList.append(QStringLiteral("/wait/c/"));
    FormRegistry::instance().unload<PlayListForm>();
    EXPECT_EQ(listFileBytes(QStringLiteral(".fllx3")), folder.toUtf8() + "\r\n\r\n");
    EXPECT_EQ(listFileBytes(QStringLiteral(".fwllx3")),
              QByteArray("/wait/a/\r\n/wait/b/\r\n/wait/c/\r\n\r\n"));
}

TEST_F(PlayListStore, WithTheBackupOnTheRestoredListWinsAndTheTotalStays)
{
    prepareFolders();
    setSetting(RegistryModule::ListBackup, QStringLiteral("active"));
    const QByteArray backup = (folder + "3.mp3\r\n" + folder + "1.mp3\r\n").toUtf8(); // cut short
    putListFile(QStringLiteral(".flblx3"), backup);
    PlayListForm &form = load();
    EXPECT_TRUE(sys().ListBackupOn);
    EXPECT_EQ(form.PlayList->paths(), (QStringList{folder + "3.mp3", folder + "1.mp3"}));
    EXPECT_EQ(form.OpenPlayList->model()->rowCount(), 2);
    EXPECT_EQ(form.NaviFile->text(), QStringLiteral("2"));
    EXPECT_EQ(form.NaviAllFile->text(), QStringLiteral("5"));
    EXPECT_EQ(sys().TotalFiles, 5);
    EXPECT_FALSE(sys().FilePositionLock);

    form.PlayList->removeAt(0);
    FormRegistry::instance().unload<PlayListForm>();
    EXPECT_EQ(listFileBytes(QStringLiteral(".flblx3")), (folder + "1.mp3\r\n\r\n").toUtf8());
}

TEST_F(PlayListStore, BackupOnWithoutAFileKeepsTheRenewalAndSavesIt)
{
    prepareFolders();
    setSetting(RegistryModule::ListBackup, QStringLiteral("active"));
    PlayListForm &form = load();
    const QStringList dealt = form.PlayList->paths();
    EXPECT_EQ(dealt.size(), 5);
    FormRegistry::instance().unload<PlayListForm>();
    EXPECT_EQ(ListFile::read(PlayListForm::listFilePath(QStringLiteral(".flblx3"))), dealt);
}

TEST_F(PlayListStore, OnlyTheExactKeywordTurnsTheBackupOn)
{
    prepareFolders();
    setSetting(RegistryModule::ListBackup, QStringLiteral("Active"));
    putListFile(QStringLiteral(".flblx3"), "/old/entry.mp3\r\n\r\n");
    PlayListForm &form = load();
    EXPECT_FALSE(sys().ListBackupOn);
    EXPECT_EQ(form.PlayList->count(), 5);
    FormRegistry::instance().unload<PlayListForm>();
    EXPECT_EQ(listFileBytes(QStringLiteral(".flblx3")), QByteArray("/old/entry.mp3\r\n\r\n"))
        << "left untouched";
}

TEST_F(PlayListStore, AFailedSaveIsReportedAndTheOtherFilesAreStillWritten)
{
    QDir().mkpath(PlayListForm::listFilePath(QStringLiteral(".fllx3"))); // a folder in the file's place
    QList<platform::MessageRequest> shown;
    platform::setMessageBoxHandler([&shown](QWidget *, const platform::MessageRequest &request) {
        shown.append(request);
        return platform::MessageAnswer::Ok;
    });
    PlayListForm &form = load();
    EXPECT_TRUE(form.FolderList.isEmpty());
    form.FolderWaitList = QStringList{"/w/"};
    FormRegistry::instance().unload<PlayListForm>();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].text.contains(QStringLiteral("保存できませんでした")));
    EXPECT_TRUE(shown[0].text.contains(QStringLiteral("tester.fllx3")));
    EXPECT_EQ(shown[0].icon, platform::MessageIcon::Critical);
    EXPECT_EQ(listFileBytes(QStringLiteral(".fwllx3")), QByteArray("/w/\r\n\r\n"));
}

TEST_F(PlayListStore, DamagedListFilesLoad)
{
    putListFile(QStringLiteral(".fllx3"), QByteArray(20 * 1024 * 1024, '\x01') + "\r\n\xc3\x28\r\n");
    QByteArray noise(1 << 16, '\0');
    for (int i = 0; i < noise.size(); ++i) {
        noise[i] = static_cast<char>((i * 131 + 7) & 0xff);
    }
    putListFile(QStringLiteral(".fwllx3"), noise);
    setSetting(RegistryModule::ListBackup, QStringLiteral("active"));
    putListFile(QStringLiteral(".flblx3"), noise);
    PlayListForm &form = load();
    EXPECT_TRUE(form.FolderList.isEmpty());
    EXPECT_EQ(form.NaviFile->text(), QString::number(form.PlayList->count()));
}
