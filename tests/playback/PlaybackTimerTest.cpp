#include "desktop/PlayerRemote.h"
#include "mainwindow/SkinWidgets.h"
#include "playback/PlayState.h"
#include "playback/PlayerFixture.h"

#include <QAction>
#include <QCoreApplication>
#include <QTimer>

namespace {

class PlaybackTimerTest : public PlayerFixture {
protected:
    void tick() const { main->MusicTimer_Timer(); }
    // The device reports the end of the open track at this tick.
    void endAndTick() const
    {
        device->position = device->length;
        tick();
    }
    // Two queued files, the folder renewing to every file made in it.
    void loadTwo()
    {
        loadPlayer({makeFile(QStringLiteral("a.mp3")), makeFile(QStringLiteral("b.mp3"))});
        list->FolderList = QStringList{folder.path() + u'/'};
    }
};

} // namespace

TEST_F(PlaybackTimerTest, TicksShowTheTimeAndProgressAndOnlyAnExactMatchOfPositionAndLengthEndsATrack)
{
    loadTwo();
    device->length = 180000;
    main->MusicPlay_Click();
    const struct {
        qint64 position;
        bool elapsed;
        const char *time;
    } rows[] = {{179999, true, "00:02:59"},  {180005, true, "00:03:00"}, {1000, true, "00:00:01"},
                {1000, false, "00:02:59"},   {61000, true, "00:01:01"},  {3599000, true, "00:59:59"},
                {3661000, true, "01:01:01"}, {119000, false, "00:01:01"}};
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
    EXPECT_EQ(opens(), 1);
    main->MusicPlay_Click();
    endAndTick();
    EXPECT_EQ(std::tuple(opens(), sys().PlayCommand), std::tuple(1, 3)) << "paused as the stream ran out";
    main->MusicPlay_Click();
    tick();
    EXPECT_EQ(std::tuple(opens(), sys().PlayCommand), std::tuple(2, 2)) << "the next file starts by itself";
}

TEST_F(PlaybackTimerTest, RepeatsRestartTheTrackTheEndlessOneWinsAndTheOneTimeOneClearsItself)
{
    loadTwo();
    list->OneMusicRepeat2->trigger();
    list->AllMusicRepeat->setChecked(true);
    main->MusicPlay_Click();
    // Restarts, opens, then the one-time repeat's two marks and lamp.
    const auto state = [this] {
        return QStringLiteral("%1 %2 %3%4%5")
            .arg(device->commandsStartingWith(QStringLiteral("seek MusicMedia to start")).size())
            .arg(opens())
            .arg(int(list->OneMusicRepeat->isChecked()))
            .arg(int(list->OneMusicRepeat2->isChecked()))
            .arg(int(!main->OneRepeatImg->isHidden()));
    };
    for (int i = 0; i < 4; ++i) {
        endAndTick();
    }
    EXPECT_EQ(state(), QStringLiteral("4 1 111")) << "the one-time repeat is never used up";
    EXPECT_EQ(device->commands.last(), QStringLiteral("play MusicMedia"));
    list->AllMusicRepeat->setChecked(false);
    endAndTick();
    EXPECT_EQ(state(), QStringLiteral("5 1 000"));
    endAndTick();
    EXPECT_EQ(state(), QStringLiteral("5 2 000"));
}

TEST_F(PlaybackTimerTest, TheEndOfTheLastTrackClosesStopsOrRenewsAsSet)
{
    const std::pair<const char *, const char *> rows[] = {{"close", "1 closed"},
                                                          {"stop", "1 Stop. Rest : 0 / 1 Files"},
                                                          {"renew", "2 Play. Rest : 1 / 2 Files"}};
    for (const auto &[mode, after] : rows) {
        SetUp();
        makeFile(QStringLiteral("b.wav"));
        loadPlayer({makeFile(QStringLiteral("a.mp3"))});
        list->FolderList = QStringList{folder.path() + u'/'};
        sys().PlayEndStop = mode == std::string_view("stop");
        if (mode == std::string_view("close")) {
            list->ThisMusicExit2->trigger();
        }
        main->MusicPlay_Click();
        endAndTick();
        const bool closed = FormRegistry::instance().loadedCount() == 0;
        EXPECT_EQ(QString::number(opens()) +
                      (closed ? QStringLiteral(" closed") : u' ' + status() + u' ' + counter()),
                  QString::fromLatin1(after));
        EXPECT_TRUE(messages.shown().isEmpty()) << mode;
        if (closed) {
            EXPECT_EQ(device->commands.last(), QStringLiteral("close MusicMedia"));
        }
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
        EXPECT_EQ(std::tuple(opens(), int(sys().PlayCommand)), std::tuple(row.opens, row.playCommand));
        if (row.playCommand == 1) {
            EXPECT_EQ(status(), QStringLiteral("Stop."));
            main->MusicPlay_Click();
            EXPECT_EQ(opens(), row.opens + 1) << "a click by the user tries again";
        }
    }
}

TEST_F(PlaybackTimerTest, TheTimerSleepsUntilTheTimeOrBarChangesAndWhileHiddenTheEndNoticeWakesIt)
{
    loadTwo();
    device->length = 180000; // the bar's 169 pixels: one every 1065 ms
    main->MusicPlay_Click();
    const auto interval = [this] { return main->MusicTimer->isActive() ? main->MusicTimer->interval() : 0; };
    const auto notice = [] {
        platform::postEndNotice();
        QCoreApplication::processEvents();
    };
    EXPECT_EQ(interval(), 100);
    const std::pair<qint64, int> rows[] = {{500, 500}, {500, 100}, {700, 300}, {1000, 100}, {1066, 1000}};
    for (const auto &[position, sleep] : rows) {
        device->position = position;
        tick();
        EXPECT_EQ(interval(), sleep) << position << " (a standing position is watched tick by tick)";
    }
    notice();
    EXPECT_EQ(interval(), 100) << "an end notice brings the ticks back";

    main->show();
    main->hide();
    EXPECT_EQ(interval(), 0) << "hidden: no timer";
    notice();
    EXPECT_EQ(interval(), 100);
    endAndTick();
    EXPECT_EQ(std::tuple(opens(), sys().PlayCommand), std::tuple(2, 2));
    tick();
    EXPECT_EQ(interval(), 0) << "the next track plays on without ticks";
    main->show();
    EXPECT_EQ(interval(), 100);
}

TEST_F(PlaybackTimerTest, EachChangeOfStateOrTrackIsAnnouncedOnceAndNothingElseIs)
{
    loadPlayer({makeFile("a"), makeFile("b"), makeFile("c"), makeFile("d"), makeFile("e")});
    const PlayState &now = PlayState::instance();
    QStringList heard;
    const QObject listener;
    QObject::connect(&now, &PlayState::changed, &listener, [&] {
        heard << QStringList{"Stopped", "Playing", "Paused"}[int(now.state())] +
                     now.track().section(u'/', -1);
    });
    const auto click = [this] { main->MusicPlay_Click(); };
    const auto stop = [this] { main->MusicStop_Click(); };
    // The play/stop toggle of the tray stops a paused track rather than resuming it.
    const auto toggle = [this] { main->MusicPlayCallSys(); };
    const std::pair<std::function<void()>, const char *> rows[] = {
        {click, "Playinga"},
        {[this] { tick(); }, ""},
        {click, "Pauseda"},
        {click, "Playinga"},
        {[this] { endAndTick(); }, "Playingb"}, // not a stop between the two
        {PlayerRemote::next, "Playingc"},
        {stop, "Stopped"},
        {stop, ""},
        {toggle, "Playingd"},
        {click, "Pausedd"},
        {toggle, "Stopped"},
        {toggle, "Playinge"},
        {[] { FormRegistry::instance().unloadAll(); }, "Stopped"},
    };
    for (const auto &[step, announced] : rows) {
        step();
        EXPECT_EQ(std::exchange(heard, {}).join(u'|'), QString::fromLatin1(announced)) << announced;
    }
}
