#include "playlist/PathDisplayForm.h"

#include <gtest/gtest.h>

TEST(PathDisplayForm, ShortCutsKeepTheRootAndTheLastFolderAndAmpersandsAsTheyAre)
{
    const struct {
        PathConvention convention;
        const char *path, *shown;
    } rows[] = {
        {WindowsPaths, "C:\\Music\\Rock\\Live\\song.mp3", "C:\\...\\Live\\song.mp3"},
        {WindowsPaths, "C:\\a\\song.mp3", "C:\\a\\song.mp3"},
        {WindowsPaths, "C:\\ab\\x.mp3", "C:\\ab\\x.mp3"},
        {WindowsPaths, "C:\\Music\\R&B\\a.mp3", "C:\\...\\R&B\\a.mp3"},
        {WindowsPaths, "C:\\R&B.mp3", "C:\\R&B.mp3"},
        {WindowsPaths, "D:\\Data\\Rock\\Pop\\Rock", "D:\\...\\Pop\\Rock"},
        {WindowsPaths, "", ""},
        {WindowsPaths, "C:\\Music\\", "C:\\Music\\"},
        // As long as the short form: the path.
        {WindowsPaths, "C:\\abc\\d&\\x", "C:\\abc\\d&\\x"},
        {LinuxPaths, "/home/u/Music/Live/song.mp3", "/.../Live/song.mp3"},
        {LinuxPaths, "/a/song.mp3", "/a/song.mp3"},
        {LinuxPaths, "/ab/x.mp3", "/ab/x.mp3"},
        {LinuxPaths, "/song.mp3", "/song.mp3"},
        {LinuxPaths, "/home/u/R&B/曲.mp3", "/.../R&B/曲.mp3"},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(FileNameShortCut(QString::fromUtf8(row.path), row.convention), QString::fromUtf8(row.shown))
            << row.path;
    }
    EXPECT_EQ(FolderDisplayForm(QStringLiteral("C:\\"), WindowsPaths) + u'|' +
                  FolderDisplayForm(QStringLiteral("C:\\Music\\"), WindowsPaths) + u'|' +
                  FolderDisplayForm(QStringLiteral("/")) + u'|' +
                  FolderDisplayForm(QStringLiteral("/home/u/R&B/")),
              QStringLiteral("C:\\|C:\\Music|/|/.../u/R&B"));
}
