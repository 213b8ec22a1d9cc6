#include "mainwindow/SkinWidgets.h"
#include "playback/PlayerFixture.h"
#include "playback/TextColour.h"

#include "app/RegistryModule.h"
#include "mainwindow/ImageButton.h"

#include <QLineEdit>
#include <QListView>
#include <QTimer>

using PlayControlTest = PlayerFixture;

TEST_F(PlayControlTest, PlayPauseResumeAndStopFollowTheCommandCode)
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
    EXPECT_EQ(shown(), QStringLiteral("Play. | Rest : 1 / 2 Files | 00:00:00 | / 00:03:25 | first song.mp3"));
    EXPECT_EQ(main->FileNameLabel->toolTip(), first);
    EXPECT_EQ(statusColour(), StatusDarkGreen);
    EXPECT_TRUE(main->MusicStop->isEnabled() && main->MusicTimer->isActive());
    EXPECT_EQ(sys().PlayCommand, 2);
    EXPECT_EQ(list->NaviFile->text(), QStringLiteral("1"));

    const struct {
        const char *command, *status;
        QColor colour;
        int playCommand;
    } rows[] = {{"pause MusicMedia", "Stop.", StatusDarkRed, 3},
                {"resume MusicMedia", "Play.", StatusDarkGreen, 2}};
    for (const auto &row : rows) {
        main->MusicPlay_Click();
        EXPECT_EQ(device->commands.last(), QString::fromLatin1(row.command));
        EXPECT_EQ(status(), QString::fromLatin1(row.status));
        EXPECT_EQ(statusColour(), row.colour);
        EXPECT_EQ(sys().PlayCommand, row.playCommand);
        EXPECT_TRUE(main->MusicTimer->isActive()) << "the time stays current while paused";
    }

    main->MusicStop_Click();
    EXPECT_EQ(device->commands.mid(device->commands.size() - 2),
              (QStringList{QStringLiteral("stop MusicMedia"), QStringLiteral("close MusicMedia")}));
    EXPECT_EQ(shown(), QStringLiteral("Stop. | Rest : 1 / 2 Files | 00:00:00 | / 00:00:00 | "));
    EXPECT_EQ(main->TimeLine->width(), 0);
    EXPECT_FALSE(main->MusicStop->isEnabled() || main->MusicTimer->isActive());
    EXPECT_EQ(sys().PlayCommand, 1);
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
    EXPECT_EQ(opens(), 1) << "missing files are never opened";
    EXPECT_EQ(list->PlayList->count(), 1);
    EXPECT_EQ(list->OpenPlayList->model()->rowCount(), 1);
    EXPECT_EQ(list->FilePosition->text(), QString()) << "the box no longer shows a file that left the list";
    EXPECT_EQ(counter(), QStringLiteral("Rest : 1 / 5 Files"));

    // A huge run of missing files must not exhaust the stack.
    QStringList queue;
    for (int i = 0; i < 100000; ++i) {
        queue << missing(QString::number(i) + QStringLiteral(".mp3"));
    }
    list->PlayList->setPaths(queue << playable);
    main->MusicStop_Click();
    main->MusicPlay_Click();
    EXPECT_EQ(opens(), 2);
    EXPECT_EQ(list->PlayList->count(), 0);
}

TEST_F(PlayControlTest, AListThatStaysEmptyAfterOneRenewalShowsStopAndSendsNothing)
{
    const struct {
        QStringList queue;
        QString folder;
    } rows[] = {{{}, {}}, {{missing(QStringLiteral("a.mp3")), missing(QStringLiteral("b.mp3"))}, "/gone/"}};
    for (const auto &row : rows) {
        TearDown();
        SetUp();
        loadPlayer(row.queue);
        if (!row.folder.isEmpty()) {
            list->FolderList = QStringList{folder.path() + row.folder};
        }
        sys().TotalFiles = 7;
        main->FileStatusLabel->setText(QStringLiteral("untouched"));
        main->MusicPlay_Click();
        EXPECT_EQ(status(), QStringLiteral("Stop."));
        EXPECT_EQ(statusColour(), StatusDarkRed);
        EXPECT_EQ(sys().PlayCommand, 1);
        EXPECT_TRUE(device->commands.isEmpty());
        EXPECT_EQ(counter(), QStringLiteral("Rest : 0 / 0 Files")) << "as the renewal wrote it";
    }
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
    for (const bool paused : {true, false}) {
        TearDown();
        SetUp();
        loadPlayer({makeFile(QStringLiteral("a.mp3"))});
        if (paused) {
            main->MusicPlay_Click();
            main->MusicPlay_Click();
        }
        FormRegistry::instance().unload(main);
        EXPECT_EQ(paused ? device->commands.mid(device->commands.size() - 2) : device->commands,
                  (paused ? QStringList{QStringLiteral("stop MusicMedia"), QStringLiteral("close MusicMedia")}
                          : QStringList{}));
        EXPECT_EQ(FormRegistry::instance().find<PlayListForm>(), nullptr)
            << "the play list window goes with it";
    }
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
