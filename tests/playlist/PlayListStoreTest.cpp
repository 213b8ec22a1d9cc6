#include "support/PlayerFixture.h"

#include "platform/FileNameCodec.h"
#include "platform/Paths.h"
#include "playlist/ListFile.h"

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

    static QString listFile(const char *extension) { return PlayListForm::listFilePath(extension); }
    static QByteArray listFileBytes(const char *extension)
    {
        return readFile(listFile(extension), "<missing>");
    }
    static void unload() { FormRegistry::instance().unload<PlayListForm>(); }

    QString folder;
};

} // namespace

TEST_F(PlayListStore, LoadReadsTheListsRenewsHiddenAndUnloadWritesThemBackOrSaysWhatFailed)
{
    putListFile(".fwllx3", "/wait/a/\r\n/\xff/\r\n/wait/b/"); // cut short
    PlayListForm &form = load();
    EXPECT_EQ(form.FolderList, QStringList{folder});
    EXPECT_EQ(form.FolderWaitList, (QStringList{"/wait/a/", platform::decodeFileName("/\xff/"), "/wait/b/"}));
    EXPECT_EQ(std::tuple(form.isVisible(), form.PlayList->count(), sys().TotalFiles, sys().ListBackupOn),
              std::tuple(false, 5, 5, false));

    form.FolderList.clear();
    unload();
    EXPECT_EQ(listFile(".fllx3"), platform::dataDir() + "tester.fllx3");
    EXPECT_EQ(listFileBytes(".fllx3") + '|' + listFileBytes(".fwllx3") + '|' + listFileBytes(".flblx3"),
              QByteArray("\r\n|/wait/a/\r\n/\xff/\r\n/wait/b/\r\n\r\n|<missing>"));

    // A failed save is reported, and the other files are still written.
    QFile::remove(listFile(".fllx3"));
    QDir().mkpath(listFile(".fllx3"));
    MessageRecorder messages;
    load().FolderWaitList = QStringList{"/w/"};
    unload();
    ASSERT_EQ(messages.shown().size(), 1);
    const QString said = messages.shown()[0].text;
    EXPECT_TRUE(said.contains(QStringLiteral("保存できませんでした")) &&
                said.contains(QStringLiteral("tester.fllx3")))
        << said.toStdString();
    EXPECT_EQ(listFileBytes(".fwllx3"), QByteArray("/w/\r\n\r\n"));
}

TEST_F(PlayListStore, WithTheBackupOnTheSavedListWinsKeepsTheTotalAndIsSavedBack)
{
    setSetting(RegistryModule::ListBackup, QStringLiteral("active"));
    putListFile(".flblx3", (folder + "3.mp3\r\n\r\n" + folder + "1.mp3\r\n\r\n").toUtf8());
    PlayListForm &form = load();
    EXPECT_TRUE(sys().ListBackupOn);
    EXPECT_EQ(form.PlayList->store().toStringList(), (QStringList{folder + "3.mp3", folder + "1.mp3"}));
    const auto counts = [&form] {
        return QStringLiteral("%1 %2/%3 %4")
            .arg(form.OpenPlayList->model()->rowCount())
            .arg(form.NaviFile->text(), form.NaviAllFile->text())
            .arg(sys().TotalFiles);
    };
    EXPECT_EQ(counts(), QStringLiteral("2 2/0 0")) << "up at once with the restored list";
    ASSERT_TRUE(form.finishRenewalWithin(5000));
    EXPECT_EQ(counts(), QStringLiteral("2 2/5 5")) << "the walk's total follows";
    form.PlayList->removeAt(0);
    unload();
    EXPECT_EQ(listFileBytes(".flblx3"), (folder + "1.mp3\r\n\r\n").toUtf8());

    QFile::remove(listFile(".flblx3"));
    const QStringList dealt = load().PlayList->store().toStringList();
    EXPECT_EQ(dealt.size(), 5);
    unload();
    EXPECT_EQ(ListFile::read(listFile(".flblx3")).entries, dealt) << "no backup yet: the renewal is kept";
}
