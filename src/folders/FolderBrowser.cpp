#include "core/FormRegistry.h"
#include "folders/DirectoryList.h"
#include "folders/FolderContents.h"
#include "folders/FolderForm.h"
#include "platform/FileNameCodec.h"
#include "platform/MessageBox.h"
#include "platform/Volumes.h"
#include "playlist/PlayListForm.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QStandardPaths>

void FolderForm::refreshDrives()
{
    drivesFilling_ = true;
    DriveMenu->clear();
    for (const platform::Volume &volume : platform::mountedVolumesWithin()) {
        DriveMenu->addItem(volume.text(), volume.rootPath);
    }
    drivesFilling_ = false;
}

void FolderForm::selectDriveOf(const QString &path)
{
    QList<platform::Volume> volumes;
    for (int i = 0; i < DriveMenu->count(); ++i) {
        volumes.append({DriveMenu->itemData(i).toString(), QString()});
    }
    const int index = DriveMenu->findData(platform::volumeOf(path, volumes).rootPath);
    drivesFilling_ = true;
    DriveMenu->setCurrentIndex(index);
    drivesFilling_ = false;
}

void FolderForm::DriveMenu_Change()
{
    const QString root = DriveMenu->currentData().toString();
    const platform::DirectoryAnswer answer = platform::probeDirectory(root);
    if (answer == platform::DirectoryAnswer::NoAnswer) {
        platform::showMessage(this, {QStringLiteral("指定されたドライブのからの応答がありません。\r\n"
                                                    "確認してください。"),
                                     QStringLiteral("MIRAVELT Lyrabox 3 - ファイルエラー"),
                                     platform::MessageIcon::Critical, platform::MessageButtons::Ok});
    }
    if (answer != platform::DirectoryAnswer::Answered || !setDirectory(root)) {
        // The browser keeps the old folder; so does the drive list.
        selectDriveOf(DirMenu->current());
        return;
    }
    DirMenu_Change();
}

bool FolderForm::setDirectory(const QString &path)
{
    const QString folder = path.size() > 1 && path.endsWith(u'/') ? path.chopped(1) : path;
    QStringList names;
    if (!folder.startsWith(u'/') || !FolderContents::subfolders(folder, names)) {
        return false;
    }
    DirMenu->showFolder(folder, names);
    selectDriveOf(folder);
    return true;
}

// The folder last registered, else the user's music folder, else home: the first
// of them that can be read (a network volume may be gone).
void FolderForm::showStartFolder()
{
    QStringList candidates;
    if (const PlayListForm *list = FormRegistry::instance().find<PlayListForm>()) {
        for (const QStringList *folders : {&list->FolderList, &list->FolderWaitList}) {
            if (!folders->isEmpty()) {
                candidates.append(folders->last());
                break;
            }
        }
    }
    candidates << QStandardPaths::writableLocation(QStandardPaths::MusicLocation) << QDir::homePath()
               << QStringLiteral("/");
    for (const QString &folder : std::as_const(candidates)) {
        if (setDirectory(folder)) {
            break;
        }
    }
    DirMenu_Change();
}

QString FolderForm::highlightedDirectory() const
{
    return DirMenu->highlighted();
}

void FolderForm::DirMenu_Change()
{
    const QString folder = highlightedDirectory();
    // Read once per visit: a click on a file, or the double click that opens the
    // folder already shown, does not read a big folder again.
    if (folder == fileMenuFolder_) {
        return;
    }
    // An unreadable folder ends the step: the previous files and path stay.
    if (!showFiles(folder)) {
        return;
    }
    writeFolderPosition(platform::visibleFileName(folder));
}

void FolderForm::DirMenu_DblClick()
{
    if (setDirectory(highlightedDirectory())) {
        DirMenu_Change();
    }
}

bool FolderForm::showFiles(const QString &folder)
{
    QStringList files;
    if (!FolderContents::playableFiles(folder, files)) {
        return false;
    }
    for (QString &file : files) {
        file = platform::visibleFileName(file);
    }
    FileMenu->clear();
    FileMenu->addItems(files);
    fileMenuFolder_ = folder;
    return true;
}

void FolderForm::writeFolderPosition(const QString &text)
{
    FolderPositionLock = true;
    shownPath_ = text;
    FolderPosition->setText(text);
    FolderPositionLock = false;
}

void FolderForm::FolderPosition_Change()
{
    if (FolderPositionLock) {
        FolderPositionLock = false;
        return;
    }
    // Not the program's own write: put its text back.
    FolderPositionLock = true;
    FolderPosition->setText(shownPath_);
}
