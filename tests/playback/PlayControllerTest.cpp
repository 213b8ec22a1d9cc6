#include "playback/PlayController.h"
#include "playback/PlayModes.h"
#include "support/ListQueue.h"
#include "support/PlayerFixture.h"

#include <functional>

namespace {

using enum PlayState::State;
using Mode = PlayModes::Mode;

// The play control over a scripted device and a plain queue: no window is loaded.
class PlayControllerTest : public PlayerFixture {
protected:
    void SetUp() override
    {
        PlayerFixture::SetUp();
        TestEnvironment::refuseMessageBoxes(); // the play control itself never shows one
        queue = ListQueue{};
        for (const Mode mode : {Mode::AllMusicRepeat, Mode::OneMusicRepeat, Mode::ThisMusicExit}) {
            PlayModes::instance().set(mode, false);
        }
        play().setQueue(&queue);
        play().beginRun();
        heard.clear();
        listener = std::make_unique<QObject>();
        const auto hear = [this](const QString &what) { return [this, what] { heard << what; }; };
        QObject::connect(&play(), &PlayController::noFolders, listener.get(), hear("no folders"));
        QObject::connect(&play(), &PlayController::closeRequested, listener.get(), hear("close"));
        QObject::connect(&play(), &PlayController::waitingForDrive, listener.get(),
                         [this](const QString &folder) { heard << "waiting for " + folder; });
    }

    void TearDown() override
    {
        listener.reset();
        play().endRun();
        play().setQueue(nullptr);
        PlayerFixture::TearDown();
    }

    static PlayController &play() { return PlayController::instance(); }

    // The device reports the end of the open track at this poll.
    void endAndTick() const
    {
        device->position = device->length;
        play().tick();
    }
    void lose(const std::function<void()> &step) const
    {
        device->outputLost = true, step(), device->outputLost = false;
    }
    // State, open track and queue, by file name.
    QString now() const
    {
        QStringList names;
        for (const QString &path : queue.files) {
            names << path.section(u'/', -1);
        }
        const QString state = QStringList{"Stopped", "Playing", "Paused"}[int(PlayState::instance().state())];
        return state + u' ' + PlayState::instance().track().section(u'/', -1) + " [" + names.join(u',') +
               u']';
    }

    ListQueue queue;
    QStringList heard;
    std::unique_ptr<QObject> listener;
};

} // namespace

TEST_F(PlayControllerTest, EachCommandMovesTheStateAndQueueAndIsAnnouncedOnce)
{
    queue.files = {makeFile("a"), makeFile("b"), makeFile("c"), makeFile("d")};
    queue.renewal = {makeFile("e")};
    int announced = 0;
    QObject::connect(&PlayState::instance(), &PlayState::changed, listener.get(), [&] { ++announced; });
    const std::pair<std::function<void()>, const char *> rows[] = {
        {[] { play().playOrPause(); }, "Playing a [b,c,d]"},
        {[] { play().tick(); }, "Playing a [b,c,d]"},
        {[] { play().playOrPause(); }, "Paused a [b,c,d]"},
        {[this] { endAndTick(); }, "Paused a [b,c,d]"}, // paused as the stream ran out: it holds
        {[] { play().playOrPause(); }, "Playing a [b,c,d]"},
        {[this] { endAndTick(); }, "Playing b [c,d]"}, // one change, not a stop between
        {[] { play().next(); }, "Playing c [d]"},
        {[] { play().stop(); }, "Stopped  [d]"},
        {[] { play().stop(); }, "Stopped  [d]"},
        {[] { play().playOrStop(); }, "Playing d []"},
        {[] { play().playOrPause(); }, "Paused d []"},
        {[] { play().playOrStop(); }, "Stopped  []"}, // the toggle never resumes
        {[] { play().next(); }, "Playing e []"},      // a used-up queue is dealt again
        // A lost sound output stops and keeps the track first for the next click.
        {[this] { lose([] { play().tick(); }); }, "Stopped  [e]"},
        {[this] { lose([] { play().playOrPause(); }); }, "Stopped  [e]"},
        {[] { play().playOrPause(); }, "Playing e []"},
    };
    QString before = now();
    for (const auto &[step, after] : rows) {
        announced = 0;
        step();
        EXPECT_EQ(now(), QString::fromLatin1(after));
        EXPECT_EQ(announced, now() == before ? 0 : 1) << after;
        before = now();
    }
    EXPECT_EQ(std::tuple(opens(), queue.renewals), std::tuple(7, 1));
}

TEST_F(PlayControllerTest, OnlyAStoppedPlayerOpensAheadAndOnlyAFileThatIsThere)
{
    const QString first = makeFile("first.mp3");
    const QString away = music.path() + QStringLiteral("/drive/Music/a.mp3");
    const std::pair<QStringList, QString> rows[] = {
        {{first, makeFile("second.mp3")}, "ahead " + first},
        {{missing("gone.mp3"), first}, QString()},
        {{away}, QString()},
        {{}, QString()},
    };
    for (const auto &[files, asked] : rows) {
        SCOPED_TRACE(asked.toStdString());
        queue.files = files;
        device->commands.clear();
        play().openAhead(queue);
        EXPECT_EQ(device->commands.join(u'|'), asked);
        EXPECT_EQ(queue.files, files) << "nothing is taken from the queue";
        EXPECT_EQ(PlayState::instance().state(), Stopped);
    }
    queue.files = {first, makeFile("second.mp3")};
    play().openAhead(queue);
    play().playOrPause();
    ASSERT_EQ(now(), QStringLiteral("Playing first.mp3 [second.mp3]"));
    device->commands.clear();
    play().openAhead(queue);
    EXPECT_TRUE(device->commands.isEmpty()) << "a track is open";
}

TEST_F(PlayControllerTest, MissingFilesAreDroppedUntilOneStartsButADriveThatIsAwayKeepsTheQueue)
{
    const QString playable = makeFile("fourth.mp3");
    queue.files = {missing("1.mp3"), makeFile(".hidden.mp3"), missing("3.mp3"), playable, makeFile("5.mp3")};
    play().playOrPause();
    EXPECT_EQ(std::tuple(now(), opens()), std::tuple(QStringLiteral("Playing fourth.mp3 [5.mp3]"), 1))
        << "missing files are never opened";

    // A huge run of missing files must not exhaust the stack.
    queue.files = numberedNames(missing("%1.mp3"), 100000) << playable;
    play().next();
    EXPECT_EQ(std::tuple(now(), opens()), std::tuple(QStringLiteral("Playing fourth.mp3 []"), 2));

    const QString away = music.path() + QStringLiteral("/drive/Music/");
    queue.files = {away + "a.mp3", away + "b.mp3", playable};
    play().next();
    EXPECT_EQ(now(), QStringLiteral("Stopped  [a.mp3,b.mp3,fourth.mp3]"));
    EXPECT_EQ(heard, QStringList{"waiting for " + away});
    QDir().mkpath(away);
    play().playOrPause();
    EXPECT_EQ(now(), QStringLiteral("Playing fourth.mp3 []")) << "back, and only files gone";
}

TEST_F(PlayControllerTest, AnEmptyQueueIsRenewedOnceAndWithoutFoldersTheClickAsksForThem)
{
    const struct {
        bool folders, missingFiles, byUser;
        const char *heard;
    } rows[] = {
        {false, false, true, "no folders"},
        {true, false, true, ""},
        {true, true, true, ""},
        {false, false, false, ""}, // the end of a track asks nobody
    };
    for (const auto &row : rows) {
        SetUp();
        queue.folders = row.folders;
        queue.renewal = row.missingFiles ? QStringList{missing("a"), missing("b")} : QStringList{};
        if (!row.byUser) {
            queue.files = {makeFile("last")};
            play().playOrPause();
            queue.renewals = 0;
        }
        row.byUser ? play().playOrPause() : endAndTick();
        EXPECT_EQ(std::tuple(now(), queue.renewals, heard.join(u'|')),
                  std::tuple(QStringLiteral("Stopped  []"), 1, QString::fromLatin1(row.heard)));
    }
}

TEST_F(PlayControllerTest, TheEndOfATrackRepeatsClosesStopsOrGoesOnAsTheModesSay)
{
    const struct {
        const char *name;
        bool endless, once, close, endStop;
        int ends;
        const char *after, *heard;
        bool onceLeft;
        int renewals;
    } rows[] = {
        {"endless repeat", true, false, false, false, 3, "Playing a [b]", "", false, 0},
        {"one-time repeat, used up", false, true, false, false, 1, "Playing a [b]", "", false, 0},
        {"one-time repeat, then on", false, true, false, false, 2, "Playing b []", "", false, 0},
        {"both: the endless one wins", true, true, false, false, 3, "Playing a [b]", "", true, 0},
        {"close after this track", false, false, true, false, 1, "Stopped  [b]", "close", false, 0},
        {"stop at the end of the list", false, false, false, true, 2, "Stopped  []", "", false, 0},
        {"renew at the end of the list", false, false, false, false, 2, "Playing c []", "", false, 1},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        SetUp();
        queue.files = {makeFile("a"), makeFile("b")};
        queue.renewal = {makeFile("c")};
        PlayModes::instance().set(Mode::AllMusicRepeat, row.endless);
        PlayModes::instance().set(Mode::OneMusicRepeat, row.once);
        PlayModes::instance().set(Mode::ThisMusicExit, row.close);
        sys().PlayEndStop = row.endStop;
        play().playOrPause();
        for (int i = 0; i < row.ends; ++i) {
            endAndTick();
        }
        EXPECT_EQ(std::tuple(now(), heard.join(u'|'), PlayModes::instance().isOn(Mode::OneMusicRepeat)),
                  std::tuple(QString::fromLatin1(row.after), QString::fromLatin1(row.heard), row.onceLeft));
        EXPECT_EQ(queue.renewals, row.renewals);
    }
}

TEST_F(PlayControllerTest, TracksThatNeverPlayNeitherSpinNorRepeatForEverButAClickTriesAgain)
{
    const struct {
        const char *name;
        qint64 length;
        int unplayable, queued;
        bool endless;
        int opens;
        PlayState::State state;
    } rows[] = {
        {"unplayable folder: renewed once, then stopped", 205000, 2, 2, false, 4, Stopped},
        {"tracks of no length: renewed once, then stopped", 0, 0, 1, false, 3, Stopped},
        {"endless repeat of a track that never opened: the next one plays", 205000, 1, 2, true, 2, Playing},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        SetUp();
        const QStringList files{makeFile("z.wav"), makeFile("a.mp3")};
        device->length = row.length;
        for (int i = 0; i < row.unplayable; ++i) {
            device->unplayable << files[i];
        }
        queue.files = files.first(row.queued);
        queue.renewal = files;
        PlayModes::instance().set(Mode::AllMusicRepeat, row.endless);
        play().playOrPause();
        // A track that did not open, or has no length, ends at its first poll.
        for (int i = 0; i < 20 && play().state() == Playing && opens() < 6; ++i) {
            play().tick();
        }
        EXPECT_EQ(std::tuple(opens(), play().state()), std::tuple(row.opens, row.state));
        if (row.state == Stopped) {
            play().playOrPause();
            EXPECT_EQ(opens(), row.opens + 1);
        }
    }
}

TEST_F(PlayControllerTest, AnInterruptedTrackComesBackFirstAndResumesOnceWhereItStopped)
{
    const struct {
        bool backup, paused;
        qint64 position, resumedAt; // not hardly begun, nor all but over
    } rows[] = {{true, false, 61000, 61000},
                {true, true, 61000, 61000},
                {true, false, 4000, 0},
                {true, false, 201000, 0},
                {false, false, 61000, 0}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.position);
        SetUp();
        sys().ListBackupOn = row.backup;
        queue.files = {makeFile("a"), makeFile("b")};
        play().playOrPause();
        if (row.paused) {
            play().playOrPause();
        }
        device->position = row.position;
        play().endRun();
        EXPECT_EQ(now(), row.backup ? QStringLiteral("Stopped  [a,b]") : QStringLiteral("Stopped  [b]"));

        play().beginRun();
        queue.files = {makeFile("a")};
        play().playOrPause();
        EXPECT_EQ(device->position, row.resumedAt);
        play().stop();
        queue.files = {makeFile("a")};
        play().playOrPause();
        EXPECT_EQ(device->position, 0) << "only once";
    }
}
