#include "PlayListFixture.h"

#include "platform/FileNameCodec.h"
#include "platform/Paths.h"
#include "playlist/ListFile.h"
#include "support/MessageRecorder.h"

namespace {

class PlayListStore : public PlayListFixture {
protected:
    // Five files in one play folder, listed in the folder list file.
    void SetUp() override
    {
        PlayListFixture::SetUp();
        folder = folderWith(QStringLiteral("Rock"), {"1.mp3", "2.mp3", "3.mp3", "4.wav", "5.mid"});
        putListFile(".fllx3", folder.toUtf8() + "\r\n\r\n");
    }

    QString folder;
};

} // namespace

TEST_F(PlayListStore, LoadReadsTheListsRenewsHiddenAndUnloadWritesThemBack)
{
    putListFile(".fwllx3", "/wait/a/\r\n/\xff/\r\n/wait/b/"); // cut short
    PlayListForm &form = load();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.FolderList, QStringList{folder});
    EXPECT_EQ(form.FolderWaitList, (QStringList{"/wait/a/", platform::decodeFileName("/\xff/"), "/wait/b/"}));
    EXPECT_EQ(form.PlayList->count(), 5);
    EXPECT_EQ(sys().TotalFiles, 5);
    EXPECT_FALSE(sys().ListBackupOn);

    form.FolderList.clear();
    unload();
    EXPECT_EQ(listFile(".fllx3"), platform::dataDir() + "tester.fllx3");
    EXPECT_EQ(listFileBytes(".fllx3"), QByteArray("\r\n"));
    EXPECT_EQ(listFileBytes(".fwllx3"), QByteArray("/wait/a/\r\n/\xff/\r\n/wait/b/\r\n\r\n"));
    EXPECT_EQ(listFileBytes(".flblx3"), QByteArray("<missing>"));
}

TEST_F(PlayListStore, WithTheBackupOnTheRestoredListWinsAndTheTotalStays)
{
    setSetting(RegistryModule::ListBackup, QStringLiteral("active"));
    putListFile(".flblx3", (folder + "3.mp3\r\n\r\n" + folder + "1.mp3\r\n\r\n").toUtf8());
    PlayListForm &form = load();
    EXPECT_TRUE(sys().ListBackupOn);
    EXPECT_EQ(form.PlayList->paths(), (QStringList{folder + "3.mp3", folder + "1.mp3"}));
    EXPECT_EQ(form.OpenPlayList->model()->rowCount(), 2);
    EXPECT_EQ(form.NaviFile->text(), QStringLiteral("2"));
    EXPECT_EQ(form.NaviAllFile->text(), QStringLiteral("5"));
    EXPECT_EQ(sys().TotalFiles, 5);

    form.PlayList->removeAt(0);
    unload();
    EXPECT_EQ(listFileBytes(".flblx3"), (folder + "1.mp3\r\n\r\n").toUtf8());
}

TEST_F(PlayListStore, BackupOnWithoutAFileKeepsAndSavesTheRenewal)
{
    setSetting(RegistryModule::ListBackup, QStringLiteral("active"));
    const QStringList dealt = load().PlayList->paths();
    EXPECT_EQ(dealt.size(), 5);
    unload();
    EXPECT_EQ(ListFile::read(listFile(".flblx3")).entries, dealt);
}

TEST_F(PlayListStore, AFailedSaveIsReportedAndTheOtherFilesAreStillWritten)
{
    QFile::remove(listFile(".fllx3"));
    QDir().mkpath(listFile(".fllx3")); // a folder in the file's place
    MessageRecorder messages;
    load().FolderWaitList = QStringList{"/w/"};
    unload();
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_TRUE(messages.shown()[0].text.contains(QStringLiteral("保存できませんでした")));
    EXPECT_TRUE(messages.shown()[0].text.contains(QStringLiteral("tester.fllx3")));
    EXPECT_EQ(listFileBytes(".fwllx3"), QByteArray("/w/\r\n\r\n"));
}
