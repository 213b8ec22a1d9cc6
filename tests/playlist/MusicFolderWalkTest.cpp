#include "playlist/MusicFolderWalk.h"
#include "platform/FileNameCodec.h"
#include "playlist/FilePattern.h"
#include "playlist/PlayFilePattern.h"
#include "support/DeadMount.h"

#include <dirent.h>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>

namespace {

const QString AllGroups = PlayFilePattern::assemble({});

// The plain walk: one folder after another, a stat for every name and every
// name decoded to text for the pattern.
QStringList referenceWalk(const QStringList &folders, const QString &pattern)
{
    const FilePattern filePattern(pattern);
    std::set<std::pair<dev_t, ino_t>> listed;
    QStringList files;
    for (const QString &folder : folders) {
        const QByteArray path = platform::encodeFileName(folder.endsWith(u'/') ? folder : folder + u'/');
        struct stat st {};
        DIR *dir = nullptr;
        if (::stat(path, &st) != 0 || !S_ISDIR(st.st_mode) || !listed.insert({st.st_dev, st.st_ino}).second ||
            (dir = ::opendir(path)) == nullptr) {
            continue;
        }
        while (const dirent *entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            const bool ordinary = ::fstatat(dirfd(dir), entry->d_name, &st, 0) == 0 && S_ISREG(st.st_mode);
            if (ordinary && !name.startsWith('.') && !name.contains('\n') && !name.contains('\r') &&
                filePattern.matches(platform::decodeFileName(name))) {
                files << platform::decodeFileName(path + name);
            }
        }
        ::closedir(dir);
    }
    return files;
}

// One path a line, so that a difference reads as one.
std::string lines(const QStringList &paths)
{
    return paths.join(u'\n').toStdString();
}

} // namespace

TEST(MusicFolderWalk, FindsWhatThePlainWalkFindsInTheSameOrder)
{
    DeadMount dead({"gone.mp3"});
    QTemporaryDir music;
    const QByteArray root = QFile::encodeName(music.path()) + '/';
    const auto make = [&](const QByteArray &path) { ::close(::open(root + path, O_CREAT | O_WRONLY, 0644)); };
    for (const QByteArray folder : {"A", "B", "C", "locked", "\xff-bytes", "A/dir.mp3"}) {
        ::mkdir(root + folder, 0755);
    }
    // Odd names: upper case, near misses, bytes that are not UTF-8, letters that fold to ASCII.
    for (const char *name : {"a.mp3", "B.WAV", "c.Mp3", "d.mp3.bak", "e.mp", "fmp3", "曲.mid", "x.ſnd",
                             "g.opuſ", "bad\xff\xfe.mp3", "bad.mp\xff", "\xe2\x82.wav", ".hidden.mp3",
                             "line\nbreak.mp3", "none", "abc.SND", "k.ſNd\xcc\x81"}) {
        make(QByteArray("A/") + name);
    }
    for (const QString &name :
         numberedNames(QStringLiteral("%1.mp3"), 300) + QStringList{"x.txt", "y.AIFF"}) {
        make("B/" + name.toUtf8());
        make("C/" + name.toUtf8());
    }
    make("locked/z.mp3");
    make("\xff-bytes/y.au");
    ::chmod(root + "locked", 0);
    ::symlink("a.mp3", root + "A/link.mp3");
    ::symlink("gone", root + "A/broken.mp3");
    ::symlink("dir.mp3", root + "A/dirlink.mp3");
    ::symlink(root + "A", root + "A-link");
    const auto path = [&](const QByteArray &name) { return platform::decodeFileName(root + name); };
    const QStringList folders{path("A/"),      path("B"),       path("missing/"),
                              path("A/a.mp3"), path("locked/"), path("\xff-bytes"),
                              path("C/"),      path("A-link/"), path("A")};
    for (const QString &pattern : {AllGroups, QStringLiteral("none"), QStringLiteral("*.SND;a?c*;*.ſnd")}) {
        const MusicFolderWalk walk = walkMusicFolders(folders, pattern, 5000);
        EXPECT_EQ(lines(walk.files.toStringList()), lines(referenceWalk(folders, pattern)))
            << pattern.toStdString();
        EXPECT_TRUE(walk.unanswered.isEmpty());
    }
    EXPECT_EQ(referenceWalk(folders, AllGroups).size(), 2 * 301 + 11 + (::geteuid() == 0 ? 1 : 0))
        << "the tree as meant (root reads the locked folder)";

    REQUIRE_DEAD_MOUNT(dead);
    dead.stop();
    const MusicFolderWalk walk = walkMusicFolders({folders[0], dead.path(), folders[1]}, AllGroups, 300);
    EXPECT_EQ(lines(walk.files.toStringList()), lines(referenceWalk({folders[0], folders[1]}, AllGroups)));
    EXPECT_EQ(walk.unanswered, QStringList{dead.path()}) << "skipped within its bound";
}
