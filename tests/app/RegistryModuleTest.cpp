#include "app/RegistryModule.h"
#include "app/AutostartEntry.h"
#include "platform/Paths.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace RegistryModule;

namespace {

class RegistryTest : public CleanStateTest {};

void writeRaw(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

TEST_F(RegistryTest, WritesReadBackEmptyEqualsMissingAndTooLongReadsEmpty)
{
    const struct {
        QString name, written, read;
    } rows[] = {
        {AutoPlay, QStringLiteral("play"), QStringLiteral("play")},
        {AutoPlay, QString(), QString()},
        // Japanese text, line breaks, "=" and "%" survive the file format, in the name too.
        {QStringLiteral("Odd=Name["), QStringLiteral("ミュージック=50%\r\n[x]\\y"),
         QStringLiteral("ミュージック=50%\r\n[x]\\y")},
        // The read buffer holds 1024 bytes with the NUL: 341 three-byte characters fit, 342 do not.
        {DColor, QString(1023, u'a'), QString(1023, u'a')},
        {DColor, QString(1024, u'a'), QString()},
        {DColor, QString(342, QChar(0x3042)), QString()},
        {DColor, QString(341, QChar(0x3042)), QString(341, QChar(0x3042))},
    };
    for (const auto &row : rows) {
        EXPECT_TRUE(SetRegString(HKEY_CURRENT_USER, SettingsKey, row.name, row.written));
        EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, SettingsKey, row.name), row.read) << row.written.size();
    }
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, SettingsKey, QStringLiteral("Odd=Name[")), rows[2].read)
        << "other values of the key are kept";
}

TEST_F(RegistryTest, KeyPathsAndNamesIgnoreCaseButValuesKeepIt)
{
    // The files and the names in them, as other tools and people write them.
    SetRegString(HKEY_LOCAL_MACHINE, InstallKey, Revision, QStringLiteral("41"));
    SetRegString(HKEY_CURRENT_USER, SettingsKey, MFPattern(3), QStringLiteral("*.mp3"));
    QFile user(platform::configDir() + QStringLiteral("HKEY_CURRENT_USER.ini"));
    ASSERT_TRUE(user.open(QIODevice::ReadOnly)) << "first write creates the path";
    EXPECT_TRUE(user.readAll().contains("\nMFPattern3=*.mp3"));
    EXPECT_TRUE(QFileInfo::exists(platform::configDir() + QStringLiteral("HKEY_LOCAL_MACHINE.ini")));
    EXPECT_EQ(GetRegString(HKEY_LOCAL_MACHINE, QStringLiteral("software\\miravelt\\LYRABOX 3"),
                           QStringLiteral("revision")),
              QStringLiteral("41"));
    // The settings key and the install key differ only in case but live under different roots.
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, SettingsKey, Revision), QString());

    SetRegString(HKEY_CURRENT_USER, SettingsKey, TitleScroll, QStringLiteral("Off"));
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, SettingsKey, QStringLiteral("TITLESCROLL")),
              QStringLiteral("Off"));
    SetRegString(HKEY_CURRENT_USER, QStringLiteral("SOFTWARE\\MIRAVELT\\LYRABOX 3"),
                 QStringLiteral("titlescroll"), QStringLiteral("off"));
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, SettingsKey, TitleScroll), QStringLiteral("off"))
        << "one value, whatever the spelling of its path and name";
}

TEST_F(RegistryTest, StartWithTheSessionIsTheAutostartEntry)
{
    // An entry an earlier version wrote under its old name still counts, and moves on the next write.
    AutostartEntry::write(platform::earlierAutostartEntryPath(), QStringLiteral("/old/lyrabox3"));
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, RunKey, RunValue), QStringLiteral("/old/lyrabox3"));
    const QString program = QStringLiteral("/opt/My \"Apps\" 100%/lyrabox3");
    SetRegString(HKEY_CURRENT_USER, RunKey, RunValue, program);
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, RunKey, RunValue), program);
    EXPECT_FALSE(QFile::exists(platform::earlierAutostartEntryPath()));

    QFile entry(platform::autostartEntryPath());
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QByteArray text = entry.readAll();
    entry.close();
    EXPECT_TRUE(text.contains("[Desktop Entry]"));
    EXPECT_TRUE(text.contains("Exec=\"/opt/My \\\\\"Apps\\\\\" 100%%/lyrabox3\"")) << text.toStdString();
    EXPECT_FALSE(text.contains("Hidden=true"));

    SetRegString(HKEY_CURRENT_USER, RunKey, RunValue, QString());
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, RunKey, RunValue), QString());
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    EXPECT_TRUE(entry.readAll().contains("Hidden=true")) << "disabled, not deleted";

    // Another value under the Run key is an ordinary setting.
    SetRegString(HKEY_CURRENT_USER, RunKey, QStringLiteral("Other"), QStringLiteral("x"));
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, RunKey, QStringLiteral("Other")), QStringLiteral("x"));
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, RunKey, RunValue), QString());
}

TEST_F(RegistryTest, DamagedFilesGiveEmptyOrStoredValuesAndCanBeRewritten)
{
    const QString file = backingFile(HKEY_CURRENT_USER);
    QByteArray junk;
    for (int i = 0; i < 4096; ++i) {
        junk += static_cast<char>(i * 37 % 256);
    }
    QByteArray content = junk + "\n[Software\\MIRAVELT\\Lyrabox 3]\nDColor=7\nAutoPlay=\xff\xfe\x00play\n";
    content += "TitleScroll=" + QByteArray(3 * 1024 * 1024, 'x') + "\n";
    content += "=novalue\nno equals sign\n[unterminated\nDownWin=1\n";
    writeRaw(file, content);

    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, SettingsKey, DColor), QStringLiteral("7"));
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, SettingsKey, TitleScroll), QString());
    EXPECT_NE(GetRegString(HKEY_CURRENT_USER, SettingsKey, AutoPlay), QStringLiteral("play"));
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, SettingsKey, DownWin), QStringLiteral("1"))
        << "a line that is not a group header does not end the group";

    EXPECT_TRUE(SetRegString(HKEY_CURRENT_USER, SettingsKey, LeftCMenu, QStringLiteral("1")));
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, SettingsKey, LeftCMenu), QStringLiteral("1"));
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, SettingsKey, DColor), QStringLiteral("7"));

    writeRaw(file, QByteArray(5000, '\0'));
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, SettingsKey, DColor), QString());
}

TEST_F(RegistryTest, AWriteThatCannotBeStoredReportsFalseAndChangesNothing)
{
    // A plain file where the settings folder should be: no write can succeed, even as root.
    QDir(platform::configDir()).removeRecursively();
    QDir().mkpath(QFileInfo(QDir::cleanPath(platform::configDir())).absolutePath());
    writeRaw(QDir::cleanPath(platform::configDir()), "not a folder");
    EXPECT_FALSE(SetRegString(HKEY_LOCAL_MACHINE, InstallKey, Release, QStringLiteral("get")));
    EXPECT_EQ(GetRegString(HKEY_LOCAL_MACHINE, InstallKey, Release), QString());
}

TEST_F(RegistryTest, AFileNotReadInFullIsKeptAsideNeverWrittenOver)
{
    const QString file = backingFile(HKEY_CURRENT_USER);
    const QByteArray big = "[Software\\MIRAVELT\\Lyrabox 3]\nDColor=7\n" + QByteArray(9 * 1024 * 1024, '#');
    for (const bool asFolder : {false, true}) {
        QDir(platform::configDir()).removeRecursively();
        if (asFolder) {
            QDir().mkpath(file + "/inside");
        } else {
            writeRaw(file, big);
        }
        EXPECT_TRUE(SetRegString(HKEY_CURRENT_USER, SettingsKey, AutoPlay, QStringLiteral("play")));
        EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, SettingsKey, DColor), QString()) << "defaults";
        EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, SettingsKey, AutoPlay), QStringLiteral("play"));
        const QFileInfoList aside = QDir(platform::configDir()).entryInfoList({"HKEY_CURRENT_USER.ini.*"});
        ASSERT_EQ(aside.size(), 1) << asFolder;
        EXPECT_TRUE(asFolder ? QDir(aside[0].filePath()).exists("inside") : aside[0].size() == big.size());
    }
}
