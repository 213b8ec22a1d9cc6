#include "playlist/PlayFilePattern.h"
#include "playlist/FilePattern.h"

#include <gtest/gtest.h>

namespace {
const QString AllGroups =
    QStringLiteral("*.wma;*.wax;*.wav;*.mp3;*.m3u;*.mid;*.midi;*.rmi;*.aif;*.aifc;*.aiff;*.au;*.snd;"
                   "*.flac;*.ogg;*.oga;*.opus;*.m4a;*.aac");
}

TEST(PlayFilePattern, GroupsSwitchOffByTheirKeywordAndThePatternMatchesWholeNamesWithoutRegardToCase)
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
