#include "core/RegistryModule.h"
#include "core/AutostartEntry.h"
#include "platform/Paths.h"
#include "support/MessageRecorder.h"
#include "support/SmallDisk.h"
#include "support/TestFiles.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace RegistryModule;

namespace {

using RegistryTest = CleanStateTest;

QString setting(const QString &name)
{
    return GetRegString(HKEY_CURRENT_USER, SettingsKey, name);
}

// The files a settings file was kept aside as, for the given reason.
QFileInfoList keptAside(RootKey root, const char *why)
{
    return QDir(platform::configDir())
        .entryInfoList({QFileInfo(backingFile(root)).fileName() + '.' + why + "-*"});
}

} // namespace

TEST_F(RegistryTest, WritesReadBackEmptyEqualsMissingAndTooLongReadsEmpty)
{
    const struct {
        QString name, written, read;
    } rows[] = {
        {AutoPlay, "play", "play"},
        {AutoPlay, {}, {}},
        // Japanese text, line breaks, "=", "[" and "%" survive the file format, in the name too.
        {"Odd=Name[", "ミュージック=50%41%\r\n[x]\\y", "ミュージック=50%41%\r\n[x]\\y"},
        // The read buffer holds 1024 bytes with the NUL: 341 three-byte characters fit, 342 do not.
        {DColor, QString(1023, u'a'), QString(1023, u'a')},
        {DColor, QString(1024, u'a'), {}},
        {DColor, QString(342, QChar(0x3042)), {}},
        {DColor, QString(341, QChar(0x3042)), QString(341, QChar(0x3042))},
    };
    for (const auto &row : rows) {
        EXPECT_TRUE(SetRegString(HKEY_CURRENT_USER, SettingsKey, row.name, row.written));
        EXPECT_EQ(setting(row.name), row.read) << row.written.size();
    }
    EXPECT_EQ(setting("Odd=Name["), rows[2].read) << "other values of the key are kept";
}

TEST_F(RegistryTest, KeyPathsAndNamesIgnoreCaseButValuesKeepIt)
{
    // The files and the names in them, as other tools and people write them.
    SetRegString(HKEY_LOCAL_MACHINE, InstallKey, Revision, "41");
    SetRegString(HKEY_CURRENT_USER, SettingsKey, MFPattern(3), "*.mp3");
    EXPECT_TRUE(readFile(platform::configDir() + "HKEY_CURRENT_USER.ini").contains("\nMFPattern3=*.mp3"));
    EXPECT_TRUE(QFileInfo::exists(platform::configDir() + "HKEY_LOCAL_MACHINE.ini"));
    EXPECT_EQ(GetRegString(HKEY_LOCAL_MACHINE, "software\\miravelt\\LYRABOX 3", "revision"), "41");
    // The settings key and the install key differ only in case but live under different roots.
    EXPECT_EQ(setting(Revision), "");

    SetRegString(HKEY_CURRENT_USER, SettingsKey, TitleScroll, "Off");
    EXPECT_EQ(setting("TITLESCROLL"), "Off");
    SetRegString(HKEY_CURRENT_USER, "SOFTWARE\\MIRAVELT\\LYRABOX 3", "titlescroll", "off");
    EXPECT_EQ(setting(TitleScroll), "off") << "one value, whatever the spelling of its path and name";
}

TEST_F(RegistryTest, StartWithTheSessionIsTheAutostartEntry)
{
    const auto run = [] { return GetRegString(HKEY_CURRENT_USER, RunKey, RunValue); };
    // An entry an earlier version wrote under its old name still counts, and moves on the next write.
    AutostartEntry::write(platform::earlierAutostartEntryPath(), "/old/lyrabox3");
    EXPECT_EQ(run(), "/old/lyrabox3");
    const QString program = "/opt/My \"Apps\" 100%/lyrabox3";
    SetRegString(HKEY_CURRENT_USER, RunKey, RunValue, program);
    EXPECT_EQ(run(), program);
    EXPECT_FALSE(QFile::exists(platform::earlierAutostartEntryPath()));
    const QByteArray text = readFile(platform::autostartEntryPath());
    EXPECT_TRUE(text.contains("[Desktop Entry]") && !text.contains("Hidden=true"));
    EXPECT_TRUE(text.contains("Exec=\"/opt/My \\\\\"Apps\\\\\" 100%%/lyrabox3\"")) << text.toStdString();

    SetRegString(HKEY_CURRENT_USER, RunKey, RunValue, QString());
    EXPECT_EQ(run(), "");
    EXPECT_TRUE(readFile(platform::autostartEntryPath()).contains("Hidden=true")) << "disabled, not deleted";

    // Another value under the Run key is an ordinary setting.
    SetRegString(HKEY_CURRENT_USER, RunKey, "Other", "x");
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, RunKey, "Other"), "x");
    EXPECT_EQ(run(), "");
}

TEST_F(RegistryTest, DamagedFilesGiveWhatIsReadableAndAreKeptAsideAndAFileNotReadInFullIsNeverWrittenOver)
{
    const QString file = backingFile(HKEY_CURRENT_USER);
    QByteArray content;
    for (int i = 0; i < 4096; ++i) {
        content += static_cast<char>(i * 37 % 256);
    }
    content += QByteArrayLiteral("\n[Software\\MIRAVELT\\Lyrabox 3]\nDColor=7\nAutoPlay=\xff\xfe\x00play\n");
    content += "TitleScroll=" + QByteArray(qsizetype{3} * 1024 * 1024, 'x') + "\n";
    content += "=novalue\nno equals sign\n[unterminated\nDownWin=1\n";
    ASSERT_TRUE(writeFile(file, content));
    // A line that is not a group header does not end the group.
    EXPECT_EQ(setting(DColor) + u'|' + setting(TitleScroll) + u'|' + setting(DownWin), "7||1");
    EXPECT_NE(setting(AutoPlay), "play");

    // Before a damaged file is written over, a copy is kept and the user told once where.
    MessageRecorder boxes;
    ASSERT_TRUE(writeFile(backingFile(HKEY_LOCAL_MACHINE),
                          "[SOFTWARE\\MIRAVELT\\Lyrabox 3]\nRevision=4\n\x01junk\n"));
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(SetRegString(HKEY_CURRENT_USER, SettingsKey, LeftCMenu, "1"));
        EXPECT_TRUE(SetRegString(HKEY_LOCAL_MACHINE, InstallKey, LastUP, "2026/1/2"));
    }
    EXPECT_EQ(setting(LeftCMenu) + setting(DColor) + GetRegString(HKEY_LOCAL_MACHINE, InstallKey, Revision),
              "174");
    const QFileInfoList copies =
        keptAside(HKEY_CURRENT_USER, "damaged") + keptAside(HKEY_LOCAL_MACHINE, "damaged");
    ASSERT_EQ(copies.size(), 2);
    EXPECT_EQ(readFile(copies[0].filePath()), content);
    ASSERT_EQ(boxes.shown().size(), 2);
    EXPECT_TRUE(boxes.shown()[1].text.endsWith(copies[1].filePath()));

    ASSERT_TRUE(writeFile(file, QByteArray(5000, '\0')));
    EXPECT_EQ(setting(DColor), "");

    // A file not read in full is kept aside too, and never written over.
    const QByteArray big =
        "[Software\\MIRAVELT\\Lyrabox 3]\nDColor=7\n" + QByteArray(qsizetype{9} * 1024 * 1024, '#');
    for (const bool asFolder : {false, true}) {
        QDir(platform::configDir()).removeRecursively();
        ASSERT_TRUE(asFolder ? QDir().mkpath(file + "/inside") : writeFile(file, big));
        EXPECT_TRUE(SetRegString(HKEY_CURRENT_USER, SettingsKey, AutoPlay, "play"));
        EXPECT_EQ(setting(DColor) + u'|' + setting(AutoPlay), "|play") << "defaults, and the new value";
        const QFileInfoList aside = keptAside(HKEY_CURRENT_USER, "unread");
        ASSERT_EQ(aside.size(), 1) << asFolder;
        EXPECT_TRUE(boxes.shown().last().text.endsWith(aside[0].filePath()));
        EXPECT_TRUE(asFolder ? QDir(aside[0].filePath()).exists("inside") : aside[0].size() == big.size());
    }
    EXPECT_EQ(boxes.shown().size(), 4);
}

TEST_F(RegistryTest, AWriteThatCannotBeStoredReportsFalseAndChangesNothing)
{
    // A plain file where the settings folder should be: no write can succeed, even as root.
    MessageRecorder boxes;
    QDir(platform::configDir()).removeRecursively();
    ASSERT_TRUE(writeFile(QDir::cleanPath(platform::configDir()), "not a folder"));
    EXPECT_FALSE(SetRegString(HKEY_LOCAL_MACHINE, InstallKey, Release, "get"));
    EXPECT_FALSE(SetRegString(HKEY_LOCAL_MACHINE, InstallKey, LastUP, "2026/1/2"));
    EXPECT_EQ(GetRegString(HKEY_LOCAL_MACHINE, InstallKey, Release), "");
    EXPECT_EQ(boxes.titles(), QStringList{"保存エラー"}) << "said once for one save";

    // On a full disk the old file stays whole, and a new failure after a good write is said again.
    QFile::remove(QDir::cleanPath(platform::configDir()));
    SmallDisk disk(platform::configDir());
    if (!disk.mounted) {
        GTEST_SKIP() << SmallDisk::needsRoot;
    }
    for (const QString &name : {DColor, AutoPlay, LeftCMenu}) {
        ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, SettingsKey, name, "1"));
    }
    disk.fill(0);
    EXPECT_FALSE(SetRegString(HKEY_CURRENT_USER, SettingsKey, DColor, "7"));
    EXPECT_EQ(setting(DColor) + setting(AutoPlay) + setting(LeftCMenu), "111");
    EXPECT_EQ(boxes.titles(), (QStringList{"保存エラー", "保存エラー"}));
}

// Out of descriptors for a moment: the file is not damaged, so it is neither
// moved aside nor written over, and the user is told.
TEST_F(RegistryTest, AFileThatCannotBeOpenedNowIsLeftAsItIs)
{
    MessageRecorder boxes;
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, SettingsKey, DColor, "7"));
    const QByteArray before = readFile(backingFile(HKEY_CURRENT_USER), "<missing>");
    rlimit saved{};
    ::getrlimit(RLIMIT_NOFILE, &saved);
    rlimit low = saved;
    low.rlim_cur = QDir("/proc/self/fd").count() + 16;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &low), 0);
    std::vector<int> taken;
    for (int fd = 0; fd >= 0; taken.push_back(fd)) {
        fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    }
    const QString read = setting(DColor);
    const bool written = SetRegString(HKEY_CURRENT_USER, SettingsKey, AutoPlay, "play");
    const QString readAgain = setting(DColor);
    for (const int fd : taken) {
        fd >= 0 && ::close(fd);
    }
    ::setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_EQ(std::tuple(read, written, readAgain), std::tuple(QString(), false, QString()));
    EXPECT_EQ(readFile(backingFile(HKEY_CURRENT_USER), "<missing>"), before);
    EXPECT_TRUE(keptAside(HKEY_CURRENT_USER, "unread").isEmpty());
    EXPECT_EQ(boxes.titles(), (QStringList{"設定ファイル", "保存エラー"})) << "each said once";
    EXPECT_EQ(setting(DColor), "7");
}
