#include "core/RegistryModule.h"
#include "platform/GstGainTags.h"
#include "playback/LoudnessCache.h"
#include "playback/MediaEngine.h"
#include "playback/PlayController.h"
#include "playback/TrackLoudness.h"
#include "support/AudioFixtures.h"
#include "support/DeadMount.h"
#include "support/ListQueue.h"
#include "support/TestEnvironment.h"

#include <ebur128.h>
#include <gst/gst.h>

#include <cmath>

namespace {

// Integrated loudness of interleaved stereo F32LE, as the loudness filter hands it on.
double lufs(const QByteArray &recorded, unsigned rate)
{
    ebur128_state *meter = ebur128_init(2, rate, EBUR128_MODE_I);
    ebur128_add_frames_float(meter, reinterpret_cast<const float *>(recorded.constData()),
                             size_t(recorded.size()) / (2 * sizeof(float)));
    double loudness = -HUGE_VAL;
    ebur128_loudness_global(meter, &loudness);
    ebur128_destroy(&meter);
    return loudness;
}

// The file as today's player hands it to the sink: no gain asked for.
QByteArray todays(const QString &file, const QString &out)
{
    qputenv("LYRABOX_AUDIO_SINK", "filesink location=" + QFile::encodeName(out));
    MediaEngine &engine = MediaEngine::instance();
    bool ended = false;
    QObject listener;
    QObject::connect(&engine, &MediaEngine::trackEnded, &listener, [&ended] { ended = true; });
    engine.open(file);
    engine.play();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            engine.poll();
            return ended;
        },
        30000));
    engine.stop();
    return readFile(out);
}

class EvenLoudnessTest : public CleanStateTest {
protected:
    void SetUp() override
    {
        CleanStateTest::SetUp();
        qputenv("XDG_CACHE_HOME", QFile::encodeName(dir.filePath(QStringLiteral("cache"))));
        PlayController::instance().setQueue(&queue);
    }
    void TearDown() override
    {
        PlayController::instance().endRun();
        PlayController::instance().setQueue(nullptr);
        qunsetenv("LYRABOX_AUDIO_SINK");
        CleanStateTest::TearDown();
    }

    // Plays the files through the play control, each recorded to out-<n>.raw.
    void playAll(const QStringList &files, bool even)
    {
        setSetting(RegistryModule::EvenLoudness, even ? QStringLiteral("on") : QString());
        PlayController &play = PlayController::instance();
        play.beginRun();
        queue.files = files;
        int started = 0;
        const auto record = [this](int n) {
            qputenv("LYRABOX_AUDIO_SINK", "filesink location=" + QFile::encodeName(out(n)));
        };
        record(0);
        QObject listener;
        QObject::connect(&play, &PlayController::trackStarted, &listener, [&] {
            record(++started);
            // The next track is measured while this one plays (waited for here, however
            // loaded the machine), and kept.
            EXPECT_TRUE(TrackLoudness::instance().waitUntilIdle(std::chrono::seconds(60)));
            if (even && !queue.files.isEmpty()) {
                const LoudnessCache cache(dir.filePath(QStringLiteral("cache/lyrabox3/loudness")));
                EXPECT_TRUE(cache.find(*LoudnessCache::keyOf(QFile::encodeName(queue.files.first()))))
                    << started;
            }
        });
        play.playOrPause();
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                play.tick();
                return !play.trackOpen();
            },
            60000));
        EXPECT_EQ(started, files.size());
    }

    QString out(int n) const { return dir.filePath(QStringLiteral("out-%1.raw").arg(n)); }

    QTemporaryDir dir;
    ListQueue queue;
};

} // namespace

// Tracks mastered from -30 to -8 LUFS, half tagged, all come out at -18 LUFS; with the
// option off the sink gets exactly the bytes it gets without the loudness filter.
TEST_F(EvenLoudnessTest, EveryTrackAfterTheFirstPlaysAtTheTargetAndOffChangesNoByte)
{
    const struct {
        const char *file;
        double peak; // of the sine: -0.691 dB + 20 log10(peak) LUFS in stereo
        QByteArray tags;
        unsigned rate;
    } rows[] = {
        {"a-30.mp3", 0.0343, "replaygain-track-gain=12.0", 44100},
        {"b-23.flac", 0.0767, {}, 44100},
        {"c-14.ogg", 0.2164, "replaygain-track-gain=-4.0", 44100},
        {"d-8.opus", 0.4318, {}, 48000},
        {"e-30.flac", 0.0343, {}, 44100},
        {"f-23.ogg", 0.0767, "replaygain-track-gain=5.0", 44100},
        {"g-14.opus", 0.2164, "extended-comment=\"R128_TRACK_GAIN=-2304\"", 48000}, // -9 dB towards -23
        {"h-8.mp3", 0.4318, {}, 44100},
        {"i-30.ogg", 0.0343, {}, 44100},
        {"j-23.opus", 0.0767, "extended-comment=\"R128_TRACK_GAIN=0\"", 48000},
        {"k-14.mp3", 0.2164, {}, 44100},
        {"l-8.flac", 0.4318, "replaygain-track-gain=-10.0", 44100},
        {"m-30.opus", 0.0343, "extended-comment=\"R128_TRACK_GAIN=1792\"", 48000},
        {"n-23.mp3", 0.0767, {}, 44100},
        {"o-14.flac", 0.2164, "replaygain-track-gain=-4.0", 44100},
        {"p-8.ogg", 0.4318, {}, 44100},
    };
    QStringList files;
    for (const auto &row : rows) {
        files << AudioFixtures::makeTone(dir.path(), QString::fromLatin1(row.file), 1500, row.peak, row.tags);
        ASSERT_FALSE(files.last().isEmpty()) << row.file;
    }
    playAll(files, true);
    for (int n = 1; n < files.size(); ++n) {
        EXPECT_NEAR(lufs(readFile(out(n)), rows[n].rate), -18.0, 1.0) << rows[n].file;
    }

    const QStringList oneOfEach = files.mid(0, 4);
    playAll(oneOfEach, false);
    for (int n = 0; n < oneOfEach.size(); ++n) {
        const QByteArray plain = todays(oneOfEach[n], dir.filePath(QStringLiteral("plain.raw")));
        EXPECT_FALSE(plain.isEmpty());
        EXPECT_TRUE(readFile(out(n)) == plain) << rows[n].file;
    }
}

// A file is known by its path, size and time: a changed file is measured again, and
// nothing of a damaged cache is believed.
TEST(LoudnessCacheTest, KnowsAFileUntilItChangesAndTrustsNothingDamaged)
{
    const QByteArray header = "lyrabox3 loudness 1\n";
    const LoudnessCache::Key key{"/m/曲\t1.mp3", 100, 7};
    const QByteArray line = "-4.50\t100\t7\t/m/%E6%9B%B2%091.mp3\n";
    const struct {
        QByteArray file;
        LoudnessCache::Key key;
        std::optional<double> found;
    } rows[] = {
        {header + line, key, -4.5},
        {header + line, {key.path, 101, 7}, std::nullopt}, // grew
        {header + line, {key.path, 100, 8}, std::nullopt}, // written again
        {header + line + "-1.25\t100\t7\t/m/%E6%9B%B2%091.mp3\n", key, -1.25},
        {header + "nan\t100\t7\t/m/%E6%9B%B2%091.mp3\n", key, std::nullopt},
        {header + "900\t100\t7\t/m/%E6%9B%B2%091.mp3\n", key, std::nullopt},
        {header + "-4.50\t100\t7\n" + "-4.50\t1x\t7\t/m/%E6%9B%B2%091.mp3\n", key, std::nullopt},
        {"lyrabox3 loudness 9\n" + line, key, std::nullopt},
        {QByteArray("\0\xff\n\t\t\t", 6) + line, key, std::nullopt},
        {header + line + QByteArray(5 * 1024 * 1024, 'x'), key, std::nullopt}, // past the size bound
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cache/loudness"));
    for (const auto &row : rows) {
        QDir().mkpath(dir.filePath(QStringLiteral("cache")));
        ASSERT_TRUE(writeFile(path, row.file));
        LoudnessCache cache(path, 2);
        EXPECT_EQ(cache.find(row.key), row.found) << row.file.left(80).toStdString();
        // Beyond the bound the oldest goes; the rest survives a save.
        cache.put({"/m/new.flac", 1, 1}, 2.0);
        cache.put({"/m/newer.flac", 1, 1}, 3.0);
        ASSERT_TRUE(cache.save());
        const LoudnessCache again(path);
        EXPECT_EQ(again.find(row.key), std::nullopt);
        EXPECT_EQ(again.find({"/m/new.flac", 1, 1}), 2.0);
        EXPECT_EQ(again.find({"/m/newer.flac", 1, 1}), 3.0);
    }
}

// A stream's own gain, from ReplayGain or Opus tags, towards -18 LUFS.
TEST(LoudnessCacheTest, GainTagsOfTheStream)
{
    const struct {
        const char *tags;
        std::optional<double> gainDb;
    } rows[] = {
        {"replaygain-track-gain=-3.5, replaygain-track-peak=0.9", -3.5},
        {"replaygain-album-gain=-3.5", std::nullopt},
        {"extended-comment=\"R128_TRACK_GAIN=1792\"", 12.0},
        {"extended-comment=\"r128_track_gain=-256\"", 4.0},
        {"extended-comment=\"R128_TRACK_GAIN=12x\"", std::nullopt},
        {"extended-comment=\"R128_TRACK_GAIN=99999\"", std::nullopt},
        {"extended-comment=\"R128_ALBUM_GAIN=0\"", std::nullopt},
        {"replaygain-track-gain=500.0", std::nullopt},
        {"title=x", std::nullopt},
    };
    gst_init(nullptr, nullptr);
    for (const auto &row : rows) {
        GstTagList *tags = gst_tag_list_new_from_string((QByteArray("taglist, ") + row.tags).constData());
        ASSERT_NE(tags, nullptr) << row.tags;
        EXPECT_EQ(platform::tagGainDb(tags), row.gainDb) << row.tags;
        gst_tag_list_unref(tags);
    }
}

// A share that stopped answering holds the worker, never the start of a track.
TEST_F(EvenLoudnessTest, AFolderThatDoesNotAnswerHoldsNoTrackStart)
{
    DeadMount dead({"gone.mp3", "next.mp3"});
    REQUIRE_DEAD_MOUNT(dead);
    dead.stop();
    TrackLoudness &loudness = TrackLoudness::instance();
    loudness.setEnabled(true);
    loudness.measureAhead(dead.path() + QStringLiteral("/gone.mp3"));
    EXPECT_EQ(loudness.gainFor(dead.path() + QStringLiteral("/next.mp3")), 0.0);
    EXPECT_FALSE(loudness.waitUntilIdle(std::chrono::milliseconds(0)));
    dead.wake();
    EXPECT_TRUE(loudness.waitUntilIdle(std::chrono::seconds(60)));
}
