#include "mainwindow/SkinWidgets.h"
#include "playback/PlayerFixture.h"

#include "playlist/ListFile.h"

#include <QAction>
#include <QTimer>

namespace {

class PlaybackTimerTest : public PlayerFixture {
protected:
    void playFirstAndEndIt()
    {
        main->MusicPlay_Click();
        endTrack();
        main->MusicTimer_Timer();
    }
    int opens() const { return device->commandsStartingWith(QStringLiteral("open")).size(); }
    int restarts() const
    {
        return device->commandsStartingWith(QStringLiteral("seek MusicMedia to start")).size();
    }
};

} // namespace

TEST_F(PlaybackTimerTest, TicksShowElapsedOrRemainingTimeAndTheProgress)
{
    loadPlayer({makeFile(QStringLiteral("a.mp3"))});
    device->length = 180000;
    main->MusicPlay_Click();
    device->position = 1000;
    main->MusicTimer_Timer();
    EXPECT_EQ(main->NowTimeLabel->text(), QStringLiteral("00:00:01"));

    sys().ElapsedDisplay = false;
    main->MusicTimer_Timer();
    EXPECT_EQ(main->NowTimeLabel->text(), QStringLiteral("00:02:59"));
    EXPECT_EQ(sys().RestTime.trimmed(), QByteArray("179000"));

    device->position = 90000;
    main->MusicTimer_Timer();
    EXPECT_EQ(main->TimeLine->width(), main->AllTimeLine->width() / 2);
}

TEST_F(PlaybackTimerTest, OnlyAnExactMatchOfPositionAndLengthEndsATrack)
{
    loadPlayer({makeFile(QStringLiteral("a.mp3")), makeFile(QStringLiteral("b.mp3"))});
    main->MusicPlay_Click();
    device->position = device->length - 1;
    main->MusicTimer_Timer();
    device->position = device->length + 5;
    main->MusicTimer_Timer();
    EXPECT_EQ(opens(), 1);
    device->position = device->length;
    main->MusicTimer_Timer();
    EXPECT_EQ(opens(), 2) << "the next file starts by itself";
    EXPECT_EQ(sys().PlayCommand, 2);
}

TEST_F(PlaybackTimerTest, AFileThatCannotBeOpenedIsPassedOverAtTheFirstTick)
{
    const QString broken = makeFile(QStringLiteral("list.m3u"));
    const QString good = makeFile(QStringLiteral("good.mp3"));
    device->unplayable << broken;
    loadPlayer({broken, good});
    main->MusicPlay_Click();
    EXPECT_EQ(status(), QStringLiteral("Play.")) << "a failing open is not reported";
    main->MusicTimer_Timer();
    EXPECT_EQ(sys().MusicFileName, good);
}

TEST_F(PlaybackTimerTest, EndlessRepeatRestartsEveryTimeAndWinsOverTheOneTimeRepeat)
{
    loadPlayer({makeFile(QStringLiteral("a.mp3")), makeFile(QStringLiteral("b.mp3"))});
    list->AllMusicRepeat->setChecked(true);
    list->OneMusicRepeat2->setChecked(true);
    playFirstAndEndIt();
    for (int i = 0; i < 3; ++i) {
        endTrack();
        main->MusicTimer_Timer();
    }
    EXPECT_EQ(restarts(), 4);
    EXPECT_EQ(opens(), 1);
    EXPECT_TRUE(list->OneMusicRepeat->isChecked()) << "the one-time repeat is never used up";

    list->AllMusicRepeat->setChecked(false);
    list->OneMusicRepeat->setChecked(false);
    endTrack();
    main->MusicTimer_Timer();
    EXPECT_EQ(opens(), 2);
}

TEST_F(PlaybackTimerTest, TheOneTimeRepeatPlaysTheTrackTwiceThenClearsItself)
{
    loadPlayer({makeFile(QStringLiteral("a.mp3")), makeFile(QStringLiteral("b.mp3"))});
    list->OneMusicRepeat2->trigger();
    playFirstAndEndIt();
    EXPECT_EQ(restarts(), 1);
    EXPECT_EQ(device->commands.last(), QStringLiteral("play MusicMedia"));
    EXPECT_FALSE(list->OneMusicRepeat->isChecked());
    EXPECT_FALSE(list->OneMusicRepeat2->isChecked());
    EXPECT_TRUE(main->OneRepeatImg->isHidden());
    endTrack();
    main->MusicTimer_Timer();
    EXPECT_EQ(opens(), 2);
}

TEST_F(PlaybackTimerTest, CloseAfterThisTrackEndsTheProgramWithoutAQuestion)
{
    loadPlayer({makeFile(QStringLiteral("a.mp3")), makeFile(QStringLiteral("b.mp3"))});
    list->FolderList = QStringList{folder.path() + u'/'};
    list->ThisMusicExit2->trigger();
    playFirstAndEndIt();
    EXPECT_EQ(FormRegistry::instance().loadedCount(), 0);
    EXPECT_EQ(ListFile::read(PlayListForm::listFilePath(QStringLiteral(".fllx3"))).entries, list->FolderList);
    EXPECT_TRUE(messages.shown().isEmpty());
    EXPECT_EQ(opens(), 1);
    EXPECT_EQ(device->commands.last(), QStringLiteral("close MusicMedia"));
}

TEST_F(PlaybackTimerTest, StopAtTheEndOfTheListWhenTheSettingSaysStop)
{
    loadPlayer({makeFile(QStringLiteral("a.mp3"))});
    list->FolderList = QStringList{folder.path() + u'/'};
    sys().PlayEndStop = true;
    playFirstAndEndIt();
    EXPECT_EQ(opens(), 1);
    EXPECT_EQ(sys().PlayCommand, 1);
    EXPECT_EQ(status(), QStringLiteral("Stop."));
    EXPECT_EQ(counter(), QStringLiteral("Rest : 0 / 1 Files"));
}

TEST_F(PlaybackTimerTest, OtherwiseTheListIsRenewedFromTheFoldersAndPlayGoesOn)
{
    const QString a = makeFile(QStringLiteral("a.mp3"));
    makeFile(QStringLiteral("b.wav"));
    makeFile(QStringLiteral("notes.txt"));
    loadPlayer({a});
    list->FolderList = QStringList{folder.path() + u'/'};
    playFirstAndEndIt();
    EXPECT_EQ(opens(), 2);
    EXPECT_EQ(sys().TotalFiles, 2);
    EXPECT_EQ(list->PlayList->count(), 1);
    EXPECT_EQ(counter(), QStringLiteral("Rest : 1 / 2 Files"));
}

TEST_F(PlaybackTimerTest, AFolderOfUnplayableFilesStopsAfterOneFullPass)
{
    const QString x = makeFile(QStringLiteral("x.m3u"));
    const QString y = makeFile(QStringLiteral("y.wax"));
    device->unplayable << x << y;
    loadPlayer({x, y});
    list->FolderList = QStringList{folder.path() + u'/'};
    main->MusicPlay_Click();
    for (int tick = 0; tick < 10 && sys().PlayCommand == 2; ++tick) {
        main->MusicTimer_Timer();
    }
    EXPECT_EQ(sys().PlayCommand, 1);
    EXPECT_EQ(status(), QStringLiteral("Stop."));
    EXPECT_EQ(opens(), 4) << "nothing opened since start: the list is renewed once";

    // A click by the user tries again.
    main->MusicPlay_Click();
    EXPECT_EQ(opens(), 5);
}

TEST_F(PlaybackTimerTest, TracksThatNeverPlayNeitherSpinNorRepeatForEver)
{
    const struct {
        const char *name;
        qint64 length;
        bool brokenFirst;
        bool endlessRepeat;
        int queued;
        int opens;
        int playCommand;
    } rows[] = {
        {"tracks of no length: renewed once, then stopped", 0, false, false, 1, 3, 1},
        {"endless repeat of a track that never opened: the next one plays", 205000, true, true, 2, 2, 2},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        TearDown();
        SetUp();
        const QString z = makeFile(QStringLiteral("z.wav"));
        device->length = row.length;
        if (row.brokenFirst) {
            device->unplayable << z;
        }
        loadPlayer(QStringList{z, makeFile(QStringLiteral("a.mp3"))}.first(row.queued));
        list->FolderList = QStringList{folder.path() + u'/'};
        list->AllMusicRepeat->setChecked(row.endlessRepeat);
        main->MusicPlay_Click();
        for (int tick = 0; tick < 20 && opens() < 4; ++tick) {
            main->MusicTimer_Timer();
            if (sys().PlayCommand != 2) {
                break;
            }
        }
        EXPECT_EQ(opens(), row.opens);
        EXPECT_EQ(sys().PlayCommand, row.playCommand);
    }
}
