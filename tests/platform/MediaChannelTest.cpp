#include "platform/MediaChannel.h"
#include "platform/FileNameCodec.h"
#include "platform/GstMediaDevice.h"
#include "support/AudioFixtures.h"
#include "support/DecodersTakenOut.h"
#include "support/TestEnvironment.h"

#include <QElapsedTimer>
#include <QHash>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cstring>
#include <functional>

using namespace Qt::StringLiterals;
using platform::mciSendString;

namespace {

constexpr int kToneMs = 1200;

// Made once per test program; "cbr" names an MP3 without a Xing header.
QString tone(const QString &fileName, int ms = kToneMs)
{
    static QTemporaryDir dir;
    static QHash<QString, QString> made;
    if (!made.contains(fileName)) {
        made[fileName] = fileName.startsWith("cbr")
                             ? AudioFixtures::makeMp3WithoutXing(dir.path(), fileName, ms)
                             : AudioFixtures::makeTone(dir.path(), fileName, ms);
    }
    return made[fileName];
}

int send(const QString &command)
{
    return mciSendString(command, nullptr, 0);
}

int openTrack(const QString &path)
{
    return send("open \"" + path + "\" alias MusicMedia");
}

// The number a status command of the device replies, or -1 when it fails.
qint64 status(const char *item, platform::MediaDevice &device = platform::mediaDevice())
{
    char reply[16];
    std::memset(reply, '#', sizeof reply);
    const int error = device.send("status MusicMedia "_L1 + item, reply, sizeof reply);
    return error ? -1 : QByteArray(reply, qsizetype(strnlen(reply, sizeof reply))).toLongLong();
}

// Polls the position like the playback timer until done() holds or the time-out passes;
// returns every reply, in order.
QList<qint64> positionsUntil(const std::function<bool(qint64)> &done)
{
    QElapsedTimer clock;
    clock.start();
    QList<qint64> seen{status("position")};
    while (!done(seen.last()) && clock.elapsed() < kToneMs + 8000) {
        QThread::msleep(20);
        seen << status("position");
    }
    return seen;
}

bool reaches(qint64 at)
{
    return positionsUntil([&](qint64 p) { return p >= at; }).last() >= at;
}

bool playsOnFrom(qint64 from)
{
    return send("play MusicMedia") == 0 && reaches(from + 50);
}

// Plays a track of its own on a second device until it is `ms` in: time, by the clock
// the tracks play by, in which a held track must not move.
bool anotherTrackPlays(qint64 ms)
{
    platform::GstMediaDevice other;
    const auto command = [&](const QString &text) { return other.send(text, nullptr, 0) == 0; };
    if (!command("open \"" + tone("other.wav") + "\" alias MusicMedia") ||
        !command("set MusicMedia time format milliseconds") || !command("play MusicMedia")) {
        return false;
    }
    QElapsedTimer clock;
    clock.start();
    while (status("position", other) < ms && clock.elapsed() < kToneMs + 8000) {
        QThread::msleep(20);
    }
    return status("position", other) >= ms;
}

using MediaChannelTest = CleanStateTest;

class EveryFormat : public MediaChannelTest, public ::testing::WithParamInterface<const char *> {};

TEST_P(EveryFormat, PlaysPausesStopsSeeksAndEndsAtExactlyItsLength)
{
    const QString path = tone(QString::fromLatin1(GetParam()));
    ASSERT_FALSE(path.isEmpty()) << "could not generate " << GetParam();
    ASSERT_EQ(openTrack(path), 0);
    EXPECT_EQ(send("set MusicMedia time format milliseconds"), 0);
    const qint64 length = status("length");
    EXPECT_NEAR(length, kToneMs, 100);
    EXPECT_EQ(status("position"), 0);
    EXPECT_TRUE(playsOnFrom(100));

    // Pause and stop both hold the position; resume and a later play go on from there.
    for (const auto &[hold, goOn] : {std::pair{"pause", "resume"}, {"stop", "play"}}) {
        ASSERT_EQ(send(hold + u" MusicMedia"_s), 0);
        const qint64 held = status("position");
        ASSERT_TRUE(anotherTrackPlays(250));
        EXPECT_EQ(status("position"), held) << hold;
        ASSERT_EQ(send(goOn + u" MusicMedia"_s), 0);
        EXPECT_GE(status("position"), held);
        EXPECT_TRUE(reaches(held + 50)) << goOn;
    }

    // A track is taken up where an earlier run left it.
    ASSERT_EQ(send("seek MusicMedia to 600"), 0);
    EXPECT_NEAR(status("position"), 600, 50);
    EXPECT_TRUE(playsOnFrom(600));

    // The end is exactly the length, reached without going back and announced; after it,
    // a play has nothing left to play.
    TestEnvironment::flushEvents(); // no notice of an earlier track is still on its way
    bool announced = false;
    platform::setEndNotice([&] { announced = true; });
    const auto noNotice = qScopeGuard([] { platform::setEndNotice({}); });
    ASSERT_EQ(send("seek MusicMedia to start"), 0);
    EXPECT_EQ(status("position"), 0);
    ASSERT_EQ(send("play MusicMedia"), 0);
    const QList<qint64> seen = positionsUntil([&](qint64 p) { return p == length; });
    EXPECT_EQ(seen.last(), length);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end())) << "the position never goes back";
    EXPECT_TRUE(QTest::qWaitFor([&] { return announced; }, 5000)) << "the end is announced";
    EXPECT_EQ(send("play MusicMedia"), 0);
    EXPECT_EQ(status("position"), length);
    EXPECT_EQ(status("length"), length);

    // The repeat modes send a seek to the start and a play after the end.
    ASSERT_EQ(send("seek MusicMedia to start"), 0);
    EXPECT_EQ(status("position"), 0);
    EXPECT_TRUE(playsOnFrom(50));
    EXPECT_LT(status("position"), length);

    EXPECT_EQ(send("close MusicMedia"), 0);
    EXPECT_EQ(status("length"), -1);
}

INSTANTIATE_TEST_SUITE_P(Tone, EveryFormat,
                         ::testing::Values("tone.wav", "tone.mp3", "cbr.mp3", "tone.wma", "tone.mid",
                                           "tone.midi", "tone.rmi", "tone.aif", "tone.aifc", "tone.au",
                                           "tone.snd", "tone.flac", "tone.ogg", "tone.oga", "tone.opus",
                                           "tone.m4a", "tone.aac"),
                         [](const ::testing::TestParamInfo<const char *> &info) {
                             return QString::fromLatin1(info.param).replace(u'.', u'_').toStdString();
                         });

TEST_F(MediaChannelTest,
       OddNamesOpenAndPlayButUnplayableFilesOrASecondOpenFailAndLeaveTheReplyAndTheTrackAlone)
{
    const QTemporaryDir folder; // on the file system of the tones, for hard links
    const QString dir = folder.path();
    const QByteArray wav = platform::encodeFileName(tone("tone.wav"));
    for (const QString &name :
         {u"with blanks & 100% #1.wav"_s, u"日本語の曲.wav"_s, u"say \"hello\".wav"_s,
          u"trap\" alias MusicMedia.wav"_s, platform::decodeFileName("caf\xe9 \xff.wav")}) {
        SCOPED_TRACE(name.toStdString());
        const QString path = folder.filePath(name);
        const QByteArray bytes = platform::encodeFileName(path);
        ASSERT_EQ(::link(wav.constData(), bytes.constData()), 0);
        ASSERT_EQ(openTrack(path), 0);
        EXPECT_EQ(status("length"), kToneMs);
        EXPECT_TRUE(playsOnFrom(0));
        EXPECT_EQ(send("close MusicMedia"), 0);
    }

    const QStringList unplayable = {
        AudioFixtures::writeFile(dir, "text.mp3", QByteArray("This is not a song.\n").repeated(200)),
        AudioFixtures::writeFile(dir, "empty.mp3", {}),
        AudioFixtures::writeFile(dir, "list.m3u", "#EXTM3U\n" + wav + "\n"),
        AudioFixtures::writeFile(dir, "list.wax",
                                 "<asx version=\"3.0\"><entry><ref href=\"" + wav + "\"/></entry></asx>"),
        dir + "/missing.mp3",
        dir,
    };
    for (const QString &path : unplayable) {
        SCOPED_TRACE(path.toStdString());
        ASSERT_FALSE(path.isEmpty());
        EXPECT_NE(openTrack(path), 0);
        char reply[16];
        std::memcpy(reply, "previous reply!", sizeof reply);
        EXPECT_NE(mciSendString("status MusicMedia length", reply, sizeof reply), 0);
        EXPECT_NE(mciSendString("status MusicMedia position", reply, sizeof reply), 0);
        EXPECT_EQ(QByteArray(reply, sizeof reply), QByteArray("previous reply!", sizeof reply));
        EXPECT_NE(send("play MusicMedia"), 0);
    }
    EXPECT_EQ(openTrack(tone("tone.wav")), 0) << "a failed open leaves the alias free";
    // Opening while a track is open fails and keeps that track.
    const QString second = tone("short.wav", 600);
    EXPECT_EQ(openTrack(second), platform::MciDuplicateAlias);
    EXPECT_EQ(status("length"), kToneMs);
    EXPECT_EQ(send("close MusicMedia"), 0);
    EXPECT_EQ(openTrack(second), 0);
    EXPECT_EQ(status("length"), 600);
}

TEST_F(MediaChannelTest, AnOpenFindsTheFileOpenedAheadAsIfItOpenedItItselfAndAnythingElseDropsIt)
{
    const QTemporaryDir folder;
    const QString text = AudioFixtures::writeFile(folder.path(), "text.mp3",
                                                  QByteArray("This is not a song.\n").repeated(200));
    const QString missing = folder.filePath("missing.mp3");
    const int textRefused = openTrack(text);
    ASSERT_NE(textRefused, 0);
    struct Row {
        QString ahead;
        QString opened;
        int settleMs; // how long the preroll ahead runs before the open
        int result;
        qint64 lengthMs;
    };
    const QString tune = tone("tone.wav");
    const QString shorter = tone("short.wav", 600);
    for (const Row &row :
         {Row{tune, tune, 0, 0, kToneMs}, Row{tune, tune, 400, 0, kToneMs}, Row{tune, shorter, 400, 0, 600},
          Row{shorter, tune, 0, 0, kToneMs}, Row{text, text, 400, textRefused, -1},
          Row{missing, tune, 0, 0, kToneMs}, Row{tune, missing, 400, platform::MciFileNotFound, -1}}) {
        SCOPED_TRACE((row.ahead + u" > "_s + row.opened).toStdString());
        platform::mediaDevice().openAhead(row.ahead);
        QThread::msleep(row.settleMs);
        ASSERT_EQ(openTrack(row.opened), row.result);
        EXPECT_EQ(status("length"), row.lengthMs);
        if (row.result == 0) {
            EXPECT_TRUE(playsOnFrom(0));
        }
        send("close MusicMedia");
    }
    // What a file lacks is told as well after it opened ahead.
    const QString vorbis = tone("tone.ogg");
    const DecodersTakenOut takenOut({"vorbisdec"});
    ASSERT_EQ(takenOut.count(), 1);
    const int lacking = openTrack(vorbis);
    const QStringList missed = platform::mediaDevice().missingPlugins();
    ASSERT_NE(lacking, 0);
    ASSERT_FALSE(missed.isEmpty());
    platform::mediaDevice().openAhead(vorbis);
    QThread::msleep(400);
    EXPECT_EQ(openTrack(vorbis), lacking);
    EXPECT_EQ(platform::mediaDevice().missingPlugins(), missed);

    // While a track is open nothing opens ahead, and the track plays on.
    ASSERT_EQ(openTrack(tune), 0);
    platform::mediaDevice().openAhead(shorter);
    EXPECT_TRUE(playsOnFrom(0));
    EXPECT_EQ(status("length"), kToneMs);
    EXPECT_EQ(send("close MusicMedia"), 0);
    EXPECT_EQ(openTrack(shorter), 0);
    EXPECT_EQ(status("length"), 600);
    EXPECT_EQ(send("close MusicMedia"), 0);
}

} // namespace
