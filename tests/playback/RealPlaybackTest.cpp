#include "app/FormRegistry.h"
#include "app/RegistryModule.h"
#include "app/SystemDataBox.h"
#include "mainwindow/ImageButton.h"
#include "mainwindow/MainForm.h"
#include "playlist/PlayListForm.h"
#include "support/AudioFixtures.h"
#include "support/MessageRecorder.h"
#include "support/TestEnvironment.h"

#include <QAction>
#include <QLabel>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

class RealPlaybackTest : public CleanStateTest {
protected:
    void SetUp() override
    {
        CleanStateTest::SetUp();
        messages.install();
    }

    void loadPlayerOver(const QString &folder)
    {
        FormRegistry &forms = FormRegistry::instance();
        list = &forms.load<PlayListForm>();
        list->FolderList = QStringList{folder + u'/'};
        list->PlayListRenewal();
        main = &forms.load<MainForm>();
    }

    QTemporaryDir folder;
    PlayListForm *list = nullptr;
    MainForm *main = nullptr;
    MessageRecorder messages;
};

} // namespace

TEST_F(RealPlaybackTest, EveryFileOfTheFolderPlaysOnceAndThePlayerStopsAtTheEndOfTheList)
{
    const QString dir = folder.path();
    const QStringList playable{
        AudioFixtures::makeTone(dir, QStringLiteral("a.wav"), 600),
        AudioFixtures::makeTone(dir, QStringLiteral("b side.mp3"), 1400),
        AudioFixtures::makeTone(dir, QStringLiteral("\"quoted\" 曲.au"), 600),
    };
    for (const QString &path : playable) {
        ASSERT_FALSE(path.isEmpty());
    }
    const QString playList = AudioFixtures::writeFile(dir, QStringLiteral("mix.m3u"), "#EXTM3U\na.wav\n");
    RegistryModule::SetRegString(RegistryModule::HKEY_CURRENT_USER, RegistryModule::SettingsKey,
                                 RegistryModule::PlayEndMode, QStringLiteral("stop"));
    loadPlayerOver(dir);
    ASSERT_EQ(sys().TotalFiles, 4);

    QSet<QString> started;
    QSet<QString> timesShown;
    QTest::mouseClick(main->MusicPlay, Qt::LeftButton);
    // Notes every track started and every time shown until the player stops by itself.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            started << sys().MusicFileName;
            timesShown << main->NowTimeLabel->text();
            return sys().PlayCommand == 1;
        },
        20000));

    for (const QString &path : playable) {
        EXPECT_TRUE(started.contains(path)) << path.toStdString();
    }
    EXPECT_TRUE(started.contains(playList)) << "opened, failed and passed over";
    EXPECT_TRUE(timesShown.contains(QStringLiteral("00:00:01"))) << "the time moved during the long track";
    EXPECT_EQ(main->StatusLabel->text(), QStringLiteral("Stop."));
    EXPECT_EQ(main->FileStatusLabel->text(), QStringLiteral("Rest : 0 / 4 Files"));
    EXPECT_EQ(main->NowTimeLabel->text(), QStringLiteral("00:00:00"));
    EXPECT_FALSE(main->MusicTimer->isActive());
}
