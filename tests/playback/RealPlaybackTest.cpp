#include "app/FormRegistry.h"
#include "app/RegistryModule.h"
#include "app/SystemDataBox.h"
#include "mainwindow/ImageButton.h"
#include "mainwindow/MainForm.h"
#include "playlist/PlayListForm.h"
#include "support/AudioFixtures.h"
#include "support/MessageRecorder.h"
#include "support/TestEnvironment.h"

#include <QLabel>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using RealPlaybackTest = CleanStateTest;

TEST_F(RealPlaybackTest, EveryFileOfTheFolderPlaysOnceAndThePlayerStopsAtTheEndOfTheList)
{
    MessageRecorder messages;
    QTemporaryDir folder;
    const QString dir = folder.path();
    const QStringList playable{
        AudioFixtures::makeTone(dir, QStringLiteral("a.wav"), 600),
        AudioFixtures::makeTone(dir, QStringLiteral("b side.mp3"), 1400),
        AudioFixtures::makeTone(dir, QStringLiteral("\"quoted\" 曲.au"), 600),
    };
    ASSERT_FALSE(playable.contains(QString()));
    const QString playList = AudioFixtures::writeFile(dir, QStringLiteral("mix.m3u"), "#EXTM3U\na.wav\n");
    RegistryModule::SetRegString(RegistryModule::HKEY_CURRENT_USER, RegistryModule::SettingsKey,
                                 RegistryModule::PlayEndMode, QStringLiteral("stop"));
    PlayListForm &list = FormRegistry::instance().load<PlayListForm>();
    list.FolderList = QStringList{dir + u'/'};
    list.PlayListRenewal();
    MainForm &main = FormRegistry::instance().load<MainForm>();
    ASSERT_EQ(sys().TotalFiles, 4);

    QSet<QString> started;
    QSet<QString> timesShown;
    QTest::mouseClick(main.MusicPlay, Qt::LeftButton);
    // Notes every track started and every time shown until the player stops by itself.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            started << sys().MusicFileName;
            timesShown << main.NowTimeLabel->text();
            return sys().PlayCommand == 1;
        },
        20000));
    EXPECT_TRUE(started.contains(QSet<QString>(playable.begin(), playable.end())));
    EXPECT_TRUE(started.contains(playList)) << "opened, failed and passed over";
    EXPECT_TRUE(messages.shown().isEmpty()) << "a failing open is not reported";
    EXPECT_TRUE(timesShown.contains(QStringLiteral("00:00:01"))) << "the time moved during the long track";
    EXPECT_EQ(
        QStringList({main.StatusLabel->text(), main.FileStatusLabel->text(), main.NowTimeLabel->text()}),
        QStringList({"Stop.", "Rest : 0 / 4 Files", "00:00:00"}));
    EXPECT_FALSE(main.MusicTimer->isActive());
}
