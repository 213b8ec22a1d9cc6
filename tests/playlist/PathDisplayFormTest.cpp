#include "playlist/PathDisplayForm.h"

#include <gtest/gtest.h>

namespace {
void expectShortCuts(PathConvention convention,
                     std::initializer_list<std::pair<const char *, const char *>> cases)
{
    for (const auto &[path, shown] : cases) {
        EXPECT_EQ(FileNameShortCut(QString::fromUtf8(path), convention), QString::fromUtf8(shown)) << path;
    }
}
} // namespace

TEST(PathDisplayForm, WindowsConvention)
{
    expectShortCuts(WindowsPaths, {
                                      {"C:\\Music\\Rock\\Live\\song.mp3", "C:\\...\\Live\\song.mp3"},
                                      {"C:\\a\\song.mp3", "C:\\a\\song.mp3"},
                                      {"C:\\ab\\x.mp3", "C:\\ab\\x.mp3"},
                                      {"C:\\Music\\R&B\\a.mp3", "C:\\...\\R&&B\\a.mp3"},
                                      {"C:\\R&B.mp3", "C:\\R&B.mp3"},
                                      {"D:\\Data\\Rock\\Pop\\Rock", "D:\\...\\Pop\\Rock"},
                                      {"", ""},
                                      {"C:\\Music\\", "C:\\Music\\"},
                                      // As long as the short form: the path, "&" doubled.
                                      {"C:\\abc\\d&\\x", "C:\\abc\\d&&\\x"},
                                  });
    EXPECT_EQ(FolderDisplayForm(QStringLiteral("C:\\"), WindowsPaths), QStringLiteral("C:\\"));
    EXPECT_EQ(FolderDisplayForm(QStringLiteral("C:\\Music\\"), WindowsPaths), QStringLiteral("C:\\Music"));
}

TEST(PathDisplayForm, LinuxConvention)
{
    expectShortCuts(LinuxPaths, {
                                    {"/home/u/Music/Live/song.mp3", "/.../Live/song.mp3"},
                                    {"/a/song.mp3", "/a/song.mp3"},
                                    {"/ab/x.mp3", "/ab/x.mp3"},
                                    {"/song.mp3", "/song.mp3"},
                                    {"/home/u/R&B/曲.mp3", "/.../R&&B/曲.mp3"},
                                });
    EXPECT_EQ(FolderDisplayForm(QStringLiteral("/")), QStringLiteral("/"));
    EXPECT_EQ(FolderDisplayForm(QStringLiteral("/home/u/Music/")), QStringLiteral("/.../u/Music"));
}
