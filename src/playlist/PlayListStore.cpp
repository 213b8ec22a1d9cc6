#include "playlist/PlayListForm.h"

#include "core/RegistryModule.h"
#include "core/SettingsNotice.h"
#include "core/SystemDataBox.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"
#include "playlist/ListFile.h"
#include "playlist/PlayFilePattern.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>

namespace {

const QString FolderListFile = QStringLiteral(".fllx3");
const QString WaitListFile = QStringLiteral(".fwllx3");
const QString BackupListFile = QStringLiteral(".flblx3");

// The lists of this run live only in memory: a failed write must not pass
// unnoticed.
void reportSaveFailures(const QStringList &failures)
{
    platform::showMessage(nullptr,
                          {QStringLiteral("リストファイルを保存できませんでした。\r\n"
                                          "今回のフォルダリストと再生リストは保存されていません。\r\n\r\n") +
                               failures.join(QStringLiteral("\r\n")),
                           QStringLiteral("保存エラー"), platform::MessageIcon::Critical,
                           platform::MessageButtons::Ok});
}

// The folder lists carry their unusable lines; the play list has none.
template <typename Entries, typename... Unusable>
void saveList(const QString &extension, const Entries &entries, QStringList &failures,
              const Unusable &...unusable)
{
    const QString path = PlayListForm::listFilePath(extension);
    QString error;
    if (!ListFile::write(path, entries, &error, unusable...)) {
        failures << QDir::toNativeSeparators(path) + QStringLiteral(" : ") + error;
    }
}

} // namespace

QString PlayListForm::listFilePath(const QString &extension)
{
    return platform::dataDir() + sys().LoginUserName + extension;
}

// The new groups act from the next renewal.
void PlayListForm::settingsChanged(const SettingsChange &change)
{
    std::array<QString, PlayFilePattern::GroupCount> settings;
    for (int n = 0; n < PlayFilePattern::GroupCount; ++n) {
        settings[n] = change.fileGroupsOn.value(n) ? QString() : PlayFilePattern::Off;
    }
    MusicFilePattern = PlayFilePattern::assemble(settings);
}

void PlayListForm::Form_Load()
{
    MusicFilePattern = PlayFilePattern::fromSettings();
    PlayList->clear();
    ListFile::Contents folders = ListFile::read(listFilePath(FolderListFile));
    FolderList = std::move(folders.entries);
    unusableFolderLines = std::move(folders.unusable);
    ListFile::Contents waiting = ListFile::read(listFilePath(WaitListFile));
    FolderWaitList = std::move(waiting.entries);
    unusableWaitLines = std::move(waiting.unusable);
    sys().ListBackupOn =
        RegistryModule::GetRegString(RegistryModule::HKEY_CURRENT_USER, RegistryModule::SettingsKey,
                                     RegistryModule::ListBackup) == QStringLiteral("active");
    if (sys().ListBackupOn && QFileInfo::exists(listFilePath(BackupListFile))) {
        // The restored list is all the window needs to come up; the total follows
        // when the folders have been walked.
        restoreBackupList();
        countMusicFiles();
    } else {
        PlayListRenewal();
    }
    FilePositionLock = false;
}

void PlayListForm::restoreBackupList()
{
    // The renewal's total stays: it is what the folders hold, not what is left.
    PlayList->clear();
    PlayList->setStore(ListFile::readPaths(listFilePath(BackupListFile)));
    showCounts();
}

void PlayListForm::Form_Unload()
{
    saveLists();
}

void PlayListForm::saveLists()
{
    QStringList failures;
    saveList(FolderListFile, FolderList, failures, unusableFolderLines);
    saveList(WaitListFile, FolderWaitList, failures, unusableWaitLines);
    // With the backup off an older backup file stays as it is, unread.
    if (sys().ListBackupOn) {
        saveList(BackupListFile, PlayList->store(), failures);
    }
    if (!failures.isEmpty()) {
        reportSaveFailures(failures);
    }
}
