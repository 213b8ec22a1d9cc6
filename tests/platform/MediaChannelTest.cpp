#include "platform/MediaChannel.h"
#include "platform/FileNameCodec.h"
#include "platform/GstMediaDevice.h"
#include "support/AudioFixtures.h"
#include "support/TestEnvironment.h"

#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <QThread>

#include <cstring>
#include <functional>

using namespace Qt::StringLiterals;
using platform::mciSendString;

namespace {

constexpr int kToneMs = 1200;

QString fixtureDir()
{
    static QTemporaryDir dir;
    return dir.path();
}

// Made once per test program; "cbr" names an MP3 without a Xing header.
QString tone(const QString &fileName, int ms = kToneMs)
{
    static QHash<QString, QString> made;
    if (!made.contains(fileName)) {
        made[fileName] = fileName.startsWith("cbr")
                             ? AudioFixtures::makeMp3WithoutXing(fixtureDir(), fileName, ms)
                             : AudioFixtures::makeTone(fixtureDir(), fileName, ms);
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

// The number a status command replies, or -1 when it fails.
qint64 status(const char *item)
{
    char reply[16];
    std::memset(reply, '#', sizeof reply);
    if (mciSendString(QStringLiteral("status MusicMedia ") + QLatin1StringView(item), reply, sizeof reply) !=
        0) {
        return -1;
    }
    return QByteArray(reply, qsizetype(strnlen(reply, sizeof reply))).toLongLong();
}

qint64 position()
{
    return status("position");
}
// Polls the position like the playback timer until done() holds or the time-out passes.
qint64 pollPosition(const std::function<bool(qint64)> &done, int timeoutMs = 8000)
{
    QElapsedTimer clock;
    clock.start();
    qint64 reply = position();
    while (!done(reply) && clock.elapsed() < timeoutMs) {
        QThread::msleep(20);
        reply = position();
    }
    return reply;
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
    EXPECT_EQ(position(), 0);

    ASSERT_EQ(send("play MusicMedia"), 0);
    EXPECT_GE(pollPosition([](qint64 p) { return p >= 150; }), 150);

    // Pause and stop both hold the position; resume and a later play go on from there.
    for (const auto &[hold, goOn] : {std::pair{"pause", "resume"}, {"stop", "play"}}) {
        ASSERT_EQ(send(hold + u" MusicMedia"_s), 0);
        const qint64 held = position();
        QThread::msleep(250);
        EXPECT_EQ(position(), held) << hold;
        ASSERT_EQ(send(goOn + u" MusicMedia"_s), 0);
        EXPECT_GE(position(), held);
        EXPECT_GE(pollPosition([&](qint64 p) { return p >= held + 50; }), held + 50) << goOn;
    }

    ASSERT_EQ(send("seek MusicMedia to start"), 0);
    EXPECT_EQ(position(), 0);
    ASSERT_EQ(send("play MusicMedia"), 0);
    qint64 previous = 0;
    const qint64 last = pollPosition(
        [&](qint64 p) {
            EXPECT_GE(p, previous) << "the position went back";
            EXPECT_LE(p, length);
            previous = p;
            return p == length;
        },
        kToneMs + 8000);
    EXPECT_EQ(last, length);
    QThread::msleep(150);
    EXPECT_EQ(position(), length);
    EXPECT_EQ(status("length"), length);

    // The repeat modes send a seek to the start and a play after the end.
    ASSERT_EQ(send("seek MusicMedia to start"), 0);
    EXPECT_EQ(position(), 0);
    ASSERT_EQ(send("play MusicMedia"), 0);
    EXPECT_GE(pollPosition([](qint64 p) { return p >= 100; }), 100);
    EXPECT_LT(position(), length);

    EXPECT_EQ(send("close MusicMedia"), 0);
    EXPECT_EQ(status("length"), -1);
}

INSTANTIATE_TEST_SUITE_P(Tone, EveryFormat,
                         ::testing::Values("tone.wav", "tone.mp3", "cbr.mp3", "tone.wma", "tone.mid",
                                           "tone.midi", "tone.rmi", "tone.aif", "tone.aifc", "tone.au",
                                           "tone.snd"),
                         [](const ::testing::TestParamInfo<const char *> &info) {
                             return QString::fromLatin1(info.param).replace(u'.', u'_').toStdString();
                         });

TEST_F(MediaChannelTest, UnplayableFilesFailAndLeaveTheReplyAlone)
{
    const QString dir = fixtureDir();
    const QString wav = tone("tone.wav");
    const QStringList unplayable = {
        AudioFixtures::writeFile(dir, "text.mp3", QByteArray("This is not a song.\n").repeated(200)),
        AudioFixtures::writeFile(dir, "empty.mp3", {}),
        AudioFixtures::writeFile(dir, "list.m3u", "#EXTM3U\n" + wav.toUtf8() + "\n"),
        AudioFixtures::writeFile(dir, "list.wax",
                                 "<asx version=\"3.0\"><entry><ref href=\"" + wav.toUtf8() +
                                     "\"/></entry></asx>\n"),
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
    // A failed open leaves the alias free.
    EXPECT_EQ(openTrack(wav), 0);
}

TEST_F(MediaChannelTest, NamesWithBlanksJapaneseQuotationMarksAndStrayBytesOpenAndPlay)
{
    const QByteArray wav = platform::encodeFileName(tone("tone.wav"));
    for (const QString &name :
         {u"with blanks & 100% #1.wav"_s, u"日本語の曲.wav"_s, u"say \"hello\".wav"_s,
          u"trap\" alias MusicMedia.wav"_s, platform::decodeFileName("caf\xe9 \xff.wav")}) {
        SCOPED_TRACE(name.toStdString());
        const QString path = fixtureDir() + u'/' + name;
        const QByteArray bytes = platform::encodeFileName(path);
        ::unlink(bytes.constData());
        ASSERT_EQ(::link(wav.constData(), bytes.constData()), 0);
        ASSERT_EQ(openTrack(path), 0);
        EXPECT_EQ(status("length"), kToneMs);
        ASSERT_EQ(send("play MusicMedia"), 0);
        EXPECT_GE(pollPosition([](qint64 p) { return p >= 50; }), 50);
        EXPECT_EQ(send("close MusicMedia"), 0);
    }
}

TEST_F(MediaChannelTest, OpeningWhileATrackIsOpenFailsAndKeepsThatTrack)
{
    const QString first = tone("tone.wav");
    const QString second = tone("short.wav", 600);
    ASSERT_EQ(openTrack(first), 0);
    EXPECT_EQ(openTrack(second), platform::MciDuplicateAlias);
    EXPECT_EQ(status("length"), kToneMs);
    EXPECT_EQ(send("close MusicMedia"), 0);
    EXPECT_EQ(openTrack(second), 0);
    EXPECT_EQ(status("length"), 600);
}

} // namespace
