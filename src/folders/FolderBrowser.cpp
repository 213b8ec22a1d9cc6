#include "folders/FolderContents.h"
#include "folders/FolderForm.h"
#include "platform/FileNameCodec.h"
#include "platform/MessageBox.h"
#include "platform/Volumes.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QStyle>

namespace {

constexpr int PathRole = Qt::UserRole;

QString parentOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash <= 0 ? QStringLiteral("/") : path.left(slash);
}

QString childOf(const QString &folder, const QString &name)
{
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

// The root and its parents' chain down to the folder, without final "/".
QStringList chainTo(const QString &folder)
{
    QStringList chain{folder};
    while (chain.first() != QStringLiteral("/")) {
        chain.prepend(parentOf(chain.first()));
    }
    return chain;
}

QListWidgetItem *directoryItem(const QString &path, int depth, bool open)
{
    const QString name = path == QStringLiteral("/") ? path : path.mid(path.lastIndexOf(u'/') + 1);
    auto *item = new QListWidgetItem(QString(depth * 2, u' ') + platform::visibleFileName(name));
    item->setIcon(QApplication::style()->standardIcon(open ? QStyle::SP_DirOpenIcon : QStyle::SP_DirIcon));
    item->setData(PathRole, path);
    item->setToolTip(platform::visibleFileName(path));
    return item;
}

} // namespace

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
        selectDriveOf(currentDirectory_);
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
    currentDirectory_ = folder;
    const QSignalBlocker quiet(DirMenu);
    DirMenu->clear();
    const QStringList chain = chainTo(folder);
    for (qsizetype depth = 0; depth < chain.size(); ++depth) {
        DirMenu->addItem(directoryItem(chain[depth], int(depth), true));
    }
    DirMenu->setCurrentRow(int(chain.size() - 1));
    for (const QString &name : std::as_const(names)) {
        DirMenu->addItem(directoryItem(childOf(folder, name), int(chain.size()), false));
    }
    selectDriveOf(folder);
    return true;
}

QString FolderForm::highlightedDirectory() const
{
    const QList<QListWidgetItem *> selected = DirMenu->selectedItems();
    return selected.isEmpty() ? currentDirectory_ : selected.first()->data(PathRole).toString();
}

void FolderForm::DirMenu_Change()
{
    const QString folder = highlightedDirectory();
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

void FolderForm::FileMenu_Click()
{
    showFiles(fileMenuFolder_);
}

bool FolderForm::showFiles(const QString &folder)
{
    QStringList files;
    if (!FolderContents::playableFiles(folder, files)) {
        return false;
    }
    FileMenu->clear();
    for (const QString &file : std::as_const(files)) {
        FileMenu->addItem(platform::visibleFileName(file));
    }
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
