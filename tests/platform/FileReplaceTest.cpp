#include "platform/FileReplace.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using platform::FileMode;

namespace {

mode_t modeOf(const QString &path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

} // namespace

TEST(FileReplace, GivesTheFinalModeWhateverTheUmaskAndRemovesOnlyItsOwnLeftoversOfTheSameFile)
{
    const struct {
        FileMode mode;
        mode_t old; // 0: no old file
        mode_t umask;
        mode_t expected;
    } rows[] = {
        {FileMode::Private, 0, 0, 0600},        // settings, never readable by others
        {FileMode::Private, 0644, 022, 0600},   // an older, readable settings file
        {FileMode::KeepOrShared, 0, 022, 0644}, // a new list file, as any file
        {FileMode::KeepOrShared, 0640, 077, 0640},
    };
    for (const auto &row : rows) {
        QTemporaryDir dir;
        const QString path = dir.filePath("f");
        if (row.old != 0) {
            QFile(path).open(QIODevice::WriteOnly);
            ::chmod(QFile::encodeName(path).constData(), row.old);
        }
        const mode_t saved = ::umask(row.umask);
        EXPECT_TRUE(platform::replaceFile(path, "text", nullptr, row.mode));
        ::umask(saved);
        EXPECT_EQ(modeOf(path), row.expected) << std::oct << row.old << " " << row.umask;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"f"});
    }

    QTemporaryDir dir;
    const QString path = dir.filePath("HKEY_CURRENT_USER.ini");
    const QStringList left = {"HKEY_CURRENT_USER.ini.new-1234-0", "HKEY_CURRENT_USER.ini.new-Xy3_k9"};
    const QStringList kept = {"HKEY_LOCAL_MACHINE.ini.new-1234-0", "HKEY_CURRENT_USER.ini.new-folder",
                              "HKEY_CURRENT_USER.ini.new-link", "HKEY_CURRENT_USER.ini.old"};
    for (const QString &name : left + QStringList{kept[0], kept[3]}) {
        QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
    }
    QDir(dir.path()).mkdir(kept[1]);
    QFile::link(dir.filePath(kept[3]), dir.filePath(kept[2]));
    ASSERT_TRUE(platform::replaceFile(path, "[a]\n", nullptr, FileMode::Private));
    QStringList expected = kept + QStringList{"HKEY_CURRENT_USER.ini"};
    expected.sort();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name),
              expected);
}
