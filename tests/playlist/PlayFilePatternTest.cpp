#include "playlist/PlayFilePattern.h"
#include "playlist/FilePattern.h"
#include "playlist/MusicFileLister.h"

#include "app/RegistryModule.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

namespace {

std::array<QString, 6> allOn()
{
    return {};
}

const QString AllGroups =
    QStringLiteral("*.wma;*.wax;*.wav;*.mp3;*.m3u;*.mid;*.midi;*.rmi;*.aif;*.aifc;*.aiff;*.au;*.snd");

void touch(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
}

QStringList listed(const QString &folder, const QString &pattern)
{
    QStringList names;
    EXPECT_TRUE(listMusicFiles(folder, FilePattern(pattern), names));
    names.sort();
    return names;
}

} // namespace

TEST(PlayFilePattern, Assembly)
{
    EXPECT_EQ(PlayFilePattern::assemble(allOn()), AllGroups);

    std::array<QString, 6> settings;
    settings.fill(QStringLiteral("none"));
    EXPECT_EQ(PlayFilePattern::assemble(settings), QStringLiteral("none"));

    settings = allOn();
    settings[0] = QStringLiteral("none");
    EXPECT_TRUE(PlayFilePattern::assemble(settings).startsWith(QStringLiteral("*.wav;*.mp3;*.m3u;")));
    settings[1] = QStringLiteral("none");
    EXPECT_TRUE(PlayFilePattern::assemble(settings).startsWith(QStringLiteral("*.mp3;*.m3u;*.mid")));

    // Only the exact keyword switches a group off.
    settings = allOn();
    settings[5] = QStringLiteral("None");
    settings[4] = QStringLiteral("on");
    EXPECT_EQ(PlayFilePattern::assemble(settings), AllGroups);
}

class PlayFilePatternSettings : public CleanStateTest {};

TEST_F(PlayFilePatternSettings, ReadsTheSixGroupSettings)
{
    EXPECT_EQ(PlayFilePattern::fromSettings(), AllGroups);
    using namespace RegistryModule;
    for (int group : {1, 2, 4, 5, 6}) {
        SetRegString(HKEY_CURRENT_USER, SettingsKey, MFPattern(group), QStringLiteral("none"));
    }
    EXPECT_EQ(PlayFilePattern::fromSettings(), QStringLiteral("*.mp3;*.m3u"));
}

TEST(FilePattern, MatchesWholeNamesWithoutRegardToCase)
{
    const FilePattern pattern(AllGroups);
    for (const char *name : {"a.mp3", "SONG.MP3", "x.Wav", "曲.mid", "b.midi", ".mp3.au"}) {
        EXPECT_TRUE(pattern.matches(QString::fromUtf8(name))) << name;
    }
    for (const char *name : {"a.mp3.txt", "mp3", "a.mp", "a.mp33", "a.wavx"}) {
        EXPECT_FALSE(pattern.matches(QString::fromUtf8(name))) << name;
    }
    const FilePattern none(QStringLiteral("none"));
    EXPECT_TRUE(none.matches(u"none"));
    EXPECT_FALSE(none.matches(u"none.mp3"));
    const FilePattern wild(QStringLiteral("a?c*.x*z;*"));
    EXPECT_TRUE(wild.matches(u"abc.xz"));
    EXPECT_TRUE(FilePattern(QStringLiteral("a?c*.x*z")).matches(u"ABCdef.xyyZ"));
    EXPECT_FALSE(FilePattern(QStringLiteral("a?c*.x*z")).matches(u"ac.xz"));
}

class MusicFileListerTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString at(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }
};

TEST_F(MusicFileListerTest, ListsOrdinaryVisibleMatchingFilesOnly)
{
    for (const char *name : {"one.mp3", "TWO.WAV", "三.mid", "notes.txt", ".hidden.mp3"}) {
        touch(at(name));
    }
    QDir(dir.path()).mkdir(QStringLiteral("folder.mp3"));
    QFile::link(at("one.mp3"), at("link.mp3"));
    QFile::link(at("folder.mp3"), at("dirlink.mp3"));
    QFile::link(at("gone"), at("broken.mp3"));
    EXPECT_EQ(listed(dir.path(), AllGroups), (QStringList{"TWO.WAV", "link.mp3", "one.mp3", "三.mid"}));
    EXPECT_EQ(listed(dir.path() + u'/', QStringLiteral("*.wav")), QStringList{"TWO.WAV"});
    EXPECT_TRUE(listed(dir.path(), QStringLiteral("none")).isEmpty());
}

TEST_F(MusicFileListerTest, SkipsNamesThatAreNotUtf8)
{
    touch(at("good.mp3"));
    const QByteArray bad = QFile::encodeName(dir.path()) + "/bad\xff\xfe.mp3";
    const int fd = ::open(bad.constData(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);
    const QStringList names = listed(dir.path(), AllGroups);
    EXPECT_EQ(names, QStringList{"good.mp3"});
    for (const QString &name : names) {
        EXPECT_TRUE(QFile::exists(dir.filePath(name)));
    }
}

TEST_F(MusicFileListerTest, AMissingFolderCannotBeListed)
{
    QStringList names{"kept"};
    EXPECT_FALSE(listMusicFiles(at("missing/"), FilePattern(AllGroups), names));
    EXPECT_EQ(names, QStringList{"kept"});
}
