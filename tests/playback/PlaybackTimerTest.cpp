#include "mainwindow/SkinWidgets.h"
#include "playback/PlayerFixture.h"

#include "playlist/ListFile.h"

#include <QAction>
#include <QTimer>

namespace {

class PlaybackTimerTest : public PlayerFixture {
protected:
    void tick() const { main->MusicTimer_Timer(); }
    void endAndTick() const
    {
        endTrack();
        tick();
    }
    int restarts() const
    {
        return int(device->commandsStartingWith(QStringLiteral("seek MusicMedia to start")).size());
    }
    // Two queued files, the folder renewing to every file made in it.
    void loadTwo()
    {
        loadPlayer({makeFile(QStringLiteral("a.mp3")), makeFile(QStringLiteral("b.mp3"))});
        list->FolderList = QStringList{folder.path() + u'/'};
    }
};

} // namespace

TEST_F(PlaybackTimerTest, TicksShowElapsedOrRemainingTimeAndTheProgress)
{
    loadPlayer({makeFile(QStringLiteral("a.mp3"))});
    device->length = 180000;
    main->MusicPlay_Click();
    const struct {
        qint64 position;
        bool elapsed;
        const char *time;
    } rows[] = {{1000, true, "00:00:01"},    {1000, false, "00:02:59"},   {61000, true, "00:01:01"},
                {3599000, true, "00:59:59"}, {3661000, true, "01:01:01"}, {119000, false, "00:01:01"}};
    for (const auto &row : rows) {
        device->position = row.position;
        sys().ElapsedDisplay = row.elapsed;
        tick();
        EXPECT_EQ(main->NowTimeLabel->text(), QString::fromLatin1(row.time)) << row.position;
    }
    EXPECT_EQ(sys().RestTime.trimmed(), QByteArray("61000"));
    device->position = 90000;
    tick();
    EXPECT_EQ(main->TimeLine->width(), main->AllTimeLine->width() / 2);
}

TEST_F(PlaybackTimerTest, OnlyAnExactMatchOfPositionAndLengthEndsATrack)
{
    loadTwo();
    main->MusicPlay_Click();
    for (const qint64 offset : {-1, 5, -1000}) {
        device->position = device->length + offset;
        tick();
    }
    EXPECT_EQ(opens(), 1);
    endAndTick();
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
    tick();
    EXPECT_EQ(sys().MusicFileName, good);
}

TEST_F(PlaybackTimerTest, RepeatsRestartTheTrackTheEndlessOneWinsAndTheOneTimeOneClearsItself)
{
    loadTwo();
    list->AllMusicRepeat->setChecked(true);
    list->OneMusicRepeat2->setChecked(true);
    main->MusicPlay_Click();
    for (int i = 0; i < 4; ++i) {
        endAndTick();
    }
    EXPECT_EQ(restarts(), 4);
    EXPECT_EQ(opens(), 1);
    EXPECT_EQ(device->commands.last(), QStringLiteral("play MusicMedia"));
    EXPECT_TRUE(list->OneMusicRepeat->isChecked()) << "the one-time repeat is never used up";

    list->AllMusicRepeat->setChecked(false);
    endAndTick();
    EXPECT_EQ(restarts(), 5);
    EXPECT_FALSE(list->OneMusicRepeat->isChecked() || list->OneMusicRepeat2->isChecked());
    EXPECT_TRUE(main->OneRepeatImg->isHidden());
    endAndTick();
    EXPECT_EQ(opens(), 2);
}

TEST_F(PlaybackTimerTest, TheEndOfTheLastTrackClosesStopsOrRenewsAsSet)
{
    enum End { CloseProgram, Stop, Renew };
    for (const End end : {CloseProgram, Stop, Renew}) {
        SCOPED_TRACE(end);
        TearDown();
        SetUp();
        makeFile(QStringLiteral("b.wav"));
        makeFile(QStringLiteral("notes.txt"));
        loadPlayer({makeFile(QStringLiteral("a.mp3"))});
        list->FolderList = QStringList{folder.path() + u'/'};
        sys().PlayEndStop = end == Stop;
        if (end == CloseProgram) {
            list->ThisMusicExit2->trigger();
        }
        main->MusicPlay_Click();
        endAndTick();
        EXPECT_TRUE(messages.shown().isEmpty());
        EXPECT_EQ(opens(), end == Renew ? 2 : 1);
        if (end == CloseProgram) {
            EXPECT_EQ(FormRegistry::instance().loadedCount(), 0) << "without a question";
            EXPECT_EQ(ListFile::read(PlayListForm::listFilePath(QStringLiteral(".fllx3"))).entries,
                      QStringList{folder.path() + u'/'});
            EXPECT_EQ(device->commands.last(), QStringLiteral("close MusicMedia"));
            continue;
        }
        EXPECT_EQ(sys().PlayCommand, end == Stop ? 1 : 2);
        EXPECT_EQ(status(), end == Stop ? QStringLiteral("Stop.") : QStringLiteral("Play."));
        EXPECT_EQ(counter(),
                  end == Stop ? QStringLiteral("Rest : 0 / 1 Files") : QStringLiteral("Rest : 1 / 2 Files"));
    }
}

TEST_F(PlaybackTimerTest, TracksThatNeverPlayNeitherSpinNorRepeatForEver)
{
    const struct {
        const char *name;
        qint64 length;
        int unplayable, queued;
        bool endlessRepeat;
        int opens, playCommand;
    } rows[] = {
        {"unplayable folder: renewed once, then stopped", 205000, 2, 2, false, 4, 1},
        {"tracks of no length: renewed once, then stopped", 0, 0, 1, false, 3, 1},
        {"endless repeat of a track that never opened: the next one plays", 205000, 1, 2, true, 2, 2},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        TearDown();
        SetUp();
        const QStringList files{makeFile(QStringLiteral("z.wav")), makeFile(QStringLiteral("a.mp3"))};
        device->length = row.length;
        for (int i = 0; i < row.unplayable; ++i) {
            device->unplayable << files[i];
        }
        loadPlayer(files.first(row.queued));
        list->FolderList = QStringList{folder.path() + u'/'};
        list->AllMusicRepeat->setChecked(row.endlessRepeat);
        main->MusicPlay_Click();
        for (int i = 0; i < 20 && sys().PlayCommand == 2 && opens() < 6; ++i) {
            tick();
        }
        EXPECT_EQ(opens(), row.opens);
        EXPECT_EQ(sys().PlayCommand, row.playCommand);
        if (row.playCommand == 1) {
            EXPECT_EQ(status(), QStringLiteral("Stop."));
            main->MusicPlay_Click();
            EXPECT_EQ(opens(), row.opens + 1) << "a click by the user tries again";
        }
    }
}
