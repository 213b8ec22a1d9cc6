#include "playlist/PathDisplayForm.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char *path;
    const char *shown;
};

void expectShortCuts(PathConvention convention, std::initializer_list<Case> cases)
{
    for (const Case &c : cases) {
        EXPECT_EQ(FileNameShortCut(QString::fromUtf8(c.path), convention), QString::fromUtf8(c.shown))
            << c.path;
    }
}

} // namespace

TEST(PathDisplayForm, WindowsTable)
{
    expectShortCuts(WindowsPaths, {
                                      {"C:\\Music\\Rock\\Live\\song.mp3", "C:\\...\\Live\\song.mp3"},
                                      {"C:\\a\\song.mp3", "C:\\a\\song.mp3"},
                                      {"C:\\ab\\x.mp3", "C:\\ab\\x.mp3"},
                                      {"C:\\Music\\R&B\\a.mp3", "C:\\...\\R&&B\\a.mp3"},
                                      {"C:\\R&B.mp3", "C:\\R&B.mp3"},
                                      {"D:\\Data\\Rock\\Pop\\Rock", "D:\\...\\Pop\\Rock"},
                                  });
}

TEST(PathDisplayForm, WindowsEdges)
{
    expectShortCuts(WindowsPaths, {
                                      {"", ""},
                                      {"C:\\", "C:\\"},
                                      {"C:\\Music\\", "C:\\Music\\"},
                                      // Same length as the short form: the path, "&" doubled.
                                      {"C:\\abc\\d&\\x", "C:\\abc\\d&&\\x"},
                                      {"C:\\Music&\\b&\\c&.mp3", "C:\\...\\b&&\\c&&.mp3"},
                                  });
}

TEST(PathDisplayForm, LinuxPaths)
{
    expectShortCuts(LinuxPaths, {
                                    {"/home/u/Music/Live/song.mp3", "/.../Live/song.mp3"},
                                    {"/a/song.mp3", "/a/song.mp3"},
                                    {"/ab/x.mp3", "/ab/x.mp3"},
                                    {"/song.mp3", "/song.mp3"},
                                    {"/home/u/R&B/曲.mp3", "/.../R&&B/曲.mp3"},
                                });
    EXPECT_EQ(FileNameShortCut(QStringLiteral("/home/u/Music/x.mp3")), QStringLiteral("/.../Music/x.mp3"));
}

TEST(PathDisplayForm, FoldersLoseTheirFinalSeparatorExceptTheRoot)
{
    EXPECT_EQ(FolderDisplayForm(QStringLiteral("C:\\"), WindowsPaths), QStringLiteral("C:\\"));
    EXPECT_EQ(FolderDisplayForm(QStringLiteral("C:\\Music\\"), WindowsPaths), QStringLiteral("C:\\Music"));
    EXPECT_EQ(FolderDisplayForm(QStringLiteral("/")), QStringLiteral("/"));
    EXPECT_EQ(FolderDisplayForm(QStringLiteral("/home/u/Music/")), QStringLiteral("/home/u/Music"));
}
