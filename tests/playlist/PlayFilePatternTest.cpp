#include "playlist/PlayFilePattern.h"
#include "platform/FileNameCodec.h"
#include "playlist/FilePattern.h"
#include "playlist/MusicFileLister.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace {
const QString AllGroups =
    QStringLiteral("*.wma;*.wax;*.wav;*.mp3;*.m3u;*.mid;*.midi;*.rmi;*.aif;*.aifc;*.aiff;*.au;*.snd;"
                   "*.flac;*.ogg;*.oga;*.opus;*.m4a;*.aac");
}

TEST(PlayFilePattern, Assembly)
{
    std::array<QString, PlayFilePattern::GroupCount> settings{};
    EXPECT_EQ(PlayFilePattern::assemble(settings), AllGroups);
    settings[0] = QStringLiteral("none");
    EXPECT_TRUE(PlayFilePattern::assemble(settings).startsWith(QStringLiteral("*.wav;*.mp3;*.m3u;")));
    settings[1] = QStringLiteral("none");
    settings[5] = QStringLiteral("None"); // only the exact keyword switches a group off
    EXPECT_EQ(
        PlayFilePattern::assemble(settings),
        QStringLiteral("*.mp3;*.m3u;*.mid;*.midi;*.rmi;*.aif;*.aifc;*.aiff;*.au;*.snd;*.flac;*.ogg;*.oga;"
                       "*.opus;*.m4a;*.aac"));
    settings.fill(QStringLiteral("none"));
    EXPECT_EQ(PlayFilePattern::assemble(settings), QStringLiteral("none"));
    settings[6].clear();
    EXPECT_EQ(PlayFilePattern::assemble(settings), QStringLiteral("*.flac;*.ogg;*.oga;*.opus;*.m4a;*.aac"));
}

TEST(FilePattern, MatchesWholeNamesWithoutRegardToCase)
{
    const FilePattern pattern(AllGroups);
    for (const char *name : {"a.mp3", "SONG.MP3", "x.Wav", "曲.mid", "b.midi", "c.OPUS", "d.m4a"}) {
        EXPECT_TRUE(pattern.matches(QString::fromUtf8(name))) << name;
    }
    for (const char *name : {"a.mp3.txt", "mp3", "a.mp33", "none"}) {
        EXPECT_FALSE(pattern.matches(QString::fromUtf8(name))) << name;
    }
    EXPECT_TRUE(FilePattern(QStringLiteral("none")).matches(u"none"));
    EXPECT_TRUE(FilePattern(QStringLiteral("a?c*.x*z")).matches(u"ABCdef.xyyZ"));
    EXPECT_FALSE(FilePattern(QStringLiteral("a?c*.x*z")).matches(u"ac.xz"));
}

TEST(MusicFileLister, ListsOrdinaryVisibleMatchingFilesWithNamesThatCanBeOpened)
{
    QTemporaryDir dir;
    for (const char *name : {"one.mp3", "TWO.WAV", "三.mid", "notes.txt", ".hidden.mp3"}) {
        QFile(dir.filePath(QString::fromUtf8(name))).open(QIODevice::WriteOnly);
    }
    QDir(dir.path()).mkdir(QStringLiteral("folder.mp3"));
    QFile::link(dir.filePath("one.mp3"), dir.filePath("link.mp3"));
    QFile::link(dir.filePath("folder.mp3"), dir.filePath("dirlink.mp3"));
    QFile::link(dir.filePath("gone"), dir.filePath("broken.mp3"));
    const QByteArray bad = QFile::encodeName(dir.path()) + "/bad\xff\xfe.mp3";
    ::close(::open(bad.constData(), O_CREAT | O_WRONLY, 0644));

    PathStore listed;
    ASSERT_TRUE(listMusicFiles(dir.path(), FilePattern(AllGroups), listed, QStringLiteral("/x/")));
    QStringList names = listed.toStringList();
    names.sort();
    // A name that is not UTF-8 is carried byte for byte.
    QStringList expected{"/x/TWO.WAV", "/x/link.mp3", "/x/one.mp3", "/x/三.mid",
                         "/x/" + platform::decodeFileName("bad\xff\xfe.mp3")};
    expected.sort();
    EXPECT_EQ(names, expected);
}
