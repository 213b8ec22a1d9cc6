#include "mainwindow/SkinWidgets.h"
#include "playback/PlayerFixture.h"
#include "playback/TextColour.h"

#include "app/RegistryModule.h"
#include "mainwindow/ImageButton.h"

#include <QLineEdit>
#include <QListView>
#include <QTimer>

namespace {
class PlayControlTest : public PlayerFixture {};
} // namespace

TEST_F(PlayControlTest, APlayClickTakesTheHeadOfTheListAndShowsTheTrack)
{
    const QString first = makeFile(QStringLiteral("first song.mp3"));
    const QString second = makeFile(QStringLiteral("second.mp3"));
    loadPlayer({first, second});
    EXPECT_EQ(counter(), QStringLiteral("Rest : 2 / 2 Files"));

    main->MusicPlay_Click();
    EXPECT_EQ(device->commands,
              (QStringList{QStringLiteral("open \"") + first + QStringLiteral("\" alias MusicMedia"),
                           QStringLiteral("set MusicMedia time format milliseconds"),
                           QStringLiteral("status MusicMedia length"), QStringLiteral("play MusicMedia")}));
    EXPECT_EQ(sys().MusicFileName, first);
    EXPECT_EQ(list->PlayList->paths(), QStringList{second});
    EXPECT_EQ(main->AllTimeLabel->text(), QStringLiteral("/ 00:03:25"));
    EXPECT_EQ(main->FileNameLabel->text(), QStringLiteral("first song.mp3"));
    EXPECT_EQ(main->FileNameLabel->toolTip(), first);
    EXPECT_EQ(status(), QStringLiteral("Play."));
    EXPECT_EQ(statusColour(), StatusDarkGreen);
    EXPECT_TRUE(main->MusicStop->isEnabled());
    EXPECT_TRUE(main->MusicTimer->isActive());
    EXPECT_EQ(sys().PlayCommand, 2);
    EXPECT_EQ(counter(), QStringLiteral("Rest : 1 / 2 Files"));
    EXPECT_EQ(list->NaviFile->text(), QStringLiteral("1"));
}

TEST_F(PlayControlTest, PauseResumeAndStopFollowTheCommandCode)
{
    loadPlayer({makeFile(QStringLiteral("a.mp3"))});
    main->MusicPlay_Click();

    main->MusicPlay_Click();
    EXPECT_EQ(device->commands.last(), QStringLiteral("pause MusicMedia"));
    EXPECT_EQ(status(), QStringLiteral("Stop."));
    EXPECT_EQ(statusColour(), StatusDarkRed);
    EXPECT_EQ(sys().PlayCommand, 3);
    EXPECT_TRUE(main->MusicTimer->isActive()) << "the time stays current while paused";

    main->MusicPlay_Click();
    EXPECT_EQ(device->commands.last(), QStringLiteral("resume MusicMedia"));
    EXPECT_EQ(status(), QStringLiteral("Play."));
    EXPECT_EQ(statusColour(), StatusDarkGreen);
    EXPECT_EQ(sys().PlayCommand, 2);

    main->MusicStop_Click();
    EXPECT_EQ(device->commands.mid(device->commands.size() - 2),
              (QStringList{QStringLiteral("stop MusicMedia"), QStringLiteral("close MusicMedia")}));
    EXPECT_EQ(main->NowTimeLabel->text(), QStringLiteral("00:00:00"));
    EXPECT_EQ(main->AllTimeLabel->text(), QStringLiteral("/ 00:00:00"));
    EXPECT_EQ(main->FileNameLabel->text(), QString());
    EXPECT_EQ(main->TimeLine->width(), 0);
    EXPECT_FALSE(main->MusicStop->isEnabled());
    EXPECT_FALSE(main->MusicTimer->isActive());
    EXPECT_EQ(status(), QStringLiteral("Stop."));
    EXPECT_EQ(sys().PlayCommand, 1);
    EXPECT_EQ(counter(), QStringLiteral("Rest : 0 / 1 Files"));
}

TEST_F(PlayControlTest, TheToggleForOtherWindowsStopsAPausedTrackAndNeverPauses)
{
    loadPlayer({makeFile(QStringLiteral("a.mp3")), makeFile(QStringLiteral("b.mp3"))});
    main->MusicPlayCallSys();
    EXPECT_EQ(sys().PlayCommand, 2);
    main->MusicPlay_Click(); // pause
    main->MusicPlayCallSys();
    EXPECT_EQ(sys().PlayCommand, 1);
    EXPECT_EQ(device->commands.last(), QStringLiteral("close MusicMedia"));
    EXPECT_TRUE(device->commandsStartingWith(QStringLiteral("resume")).isEmpty());
}

TEST_F(PlayControlTest, MissingFilesAtTheHeadAreDroppedAndTheNextPlayableStarts)
{
    const QString playable = makeFile(QStringLiteral("fourth.mp3"));
    const QString hidden = makeFile(QStringLiteral(".hidden.mp3"));
    loadPlayer({missing(QStringLiteral("1.mp3")), hidden, missing(QStringLiteral("3.mp3")), playable,
                makeFile(QStringLiteral("fifth.mp3"))});
    list->FilePosition->setText(hidden);

    main->MusicPlay_Click();
    EXPECT_EQ(sys().MusicFileName, playable);
    EXPECT_EQ(device->commandsStartingWith(QStringLiteral("open")).size(), 1)
        << "missing files are never opened";
    EXPECT_EQ(list->PlayList->count(), 1);
    EXPECT_EQ(list->OpenPlayList->model()->rowCount(), 1);
    EXPECT_EQ(list->FilePosition->text(), QString()) << "the box no longer shows a file that left the list";
    EXPECT_EQ(counter(), QStringLiteral("Rest : 1 / 5 Files"));
}

TEST_F(PlayControlTest, AHugeListOfMissingFilesDoesNotExhaustTheStack)
{
    QStringList queue;
    for (int i = 0; i < 100000; ++i) {
        queue << missing(QString::number(i) + QStringLiteral(".mp3"));
    }
    const QString last = makeFile(QStringLiteral("last.mp3"));
    queue << last;
    loadPlayer(queue);
    main->MusicPlay_Click();
    EXPECT_EQ(sys().MusicFileName, last);
    EXPECT_EQ(list->PlayList->count(), 0);
}

TEST_F(PlayControlTest, AnEmptyListThatStaysEmptyShowsStopAndTheCounterOfTheRenewal)
{
    loadPlayer({});
    sys().TotalFiles = 7;
    main->FileStatusLabel->setText(QStringLiteral("untouched"));
    main->MusicPlay_Click();
    EXPECT_EQ(status(), QStringLiteral("Stop."));
    EXPECT_EQ(statusColour(), StatusDarkRed);
    EXPECT_EQ(sys().PlayCommand, 1);
    EXPECT_TRUE(device->commands.isEmpty());
    EXPECT_EQ(main->FileStatusLabel->text(), QStringLiteral("Rest : 0 / 0 Files"))
        << "as the renewal wrote it";
}

TEST_F(PlayControlTest, AListOfOnlyMissingFilesStopsAfterOneRenewal)
{
    loadPlayer({missing(QStringLiteral("a.mp3")), missing(QStringLiteral("b.mp3"))});
    list->FolderList = QStringList{folder.path() + QStringLiteral("/gone/")};
    main->MusicPlay_Click();
    EXPECT_EQ(status(), QStringLiteral("Stop."));
    EXPECT_EQ(sys().PlayCommand, 1);
    EXPECT_TRUE(device->commands.isEmpty());
}

TEST_F(PlayControlTest, AutoPlayStartsAtLoadAndLightsItsLamp)
{
    RegistryModule::SetRegString(RegistryModule::HKEY_CURRENT_USER, RegistryModule::SettingsKey,
                                 RegistryModule::AutoPlay, QStringLiteral("play"));
    const QString song = makeFile(QStringLiteral("a.mp3"));
    loadPlayer({song});
    EXPECT_EQ(sys().MusicFileName, song);
    EXPECT_FALSE(main->WAPImg->isHidden());
    EXPECT_EQ(status(), QStringLiteral("Play."));
}

TEST_F(PlayControlTest, UnloadingWhilePausedStopsAndClosesAndWhileStoppedSendsNothing)
{
    loadPlayer({makeFile(QStringLiteral("a.mp3"))});
    main->MusicPlay_Click();
    main->MusicPlay_Click(); // pause
    FormRegistry::instance().unload(main);
    EXPECT_EQ(device->commands.mid(device->commands.size() - 2),
              (QStringList{QStringLiteral("stop MusicMedia"), QStringLiteral("close MusicMedia")}));
    EXPECT_EQ(FormRegistry::instance().find<PlayListForm>(), nullptr) << "the play list window goes with it";

    TestEnvironment::resetAll();
    messages.install();
    auto *quiet = new ScriptedMediaDevice;
    platform::setMediaDevice(std::unique_ptr<platform::MediaDevice>(quiet));
    loadPlayer({makeFile(QStringLiteral("b.mp3"))});
    FormRegistry::instance().unload(main);
    EXPECT_TRUE(quiet->commands.isEmpty());
}

TEST_F(PlayControlTest, TheExitQuestionUnloadsUnlessTheAnswerIsNo)
{
    loadPlayer({});
    messages.answerWith(platform::MessageAnswer::No);
    main->ExitProgram_Click();
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown()[0].text,
              QStringLiteral("MIRAVELT Lyrabox 3 を終了します。\r\nよろしいですか？"));
    EXPECT_EQ(messages.shown()[0].title, QStringLiteral("終了確認"));
    EXPECT_NE(FormRegistry::instance().find<MainForm>(), nullptr);
    messages.answerWith(platform::MessageAnswer::Yes);
    main->ExitProgram_Click();
    EXPECT_EQ(FormRegistry::instance().loadedCount(), 0);
}
