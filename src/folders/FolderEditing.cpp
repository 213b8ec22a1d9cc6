#include "folders/FolderForm.h"

#include "core/FormRegistry.h"
#include "folders/FolderChecks.h"
#include "folders/FolderListModel.h"
#include "folders/FolderPropertiesDialog.h"
#include "platform/FileNameCodec.h"
#include "platform/FileProperties.h"
#include "platform/MessageBox.h"
#include "playlist/PlayListForm.h"

#include <QKeyEvent>
#include <QListView>
#include <QPushButton>

template <class Change> void FolderForm::changeLists(QListView *losingRows, Change change)
{
    listsChanging_ = true;
    change();
    // The view would pick a neighbour of a removed row; a fresh click decides instead.
    losingRows->selectionModel()->clearSelection();
    listsChanging_ = false;
}

void FolderForm::FolderRegistration_Click()
{
    QString path = highlightedDirectory();
    if (!path.endsWith(u'/')) {
        path += u'/';
    }
    if (FolderChecks::hasLineEnd(path)) {
        FolderChecks::refuseLineEnds(this, {path});
        return;
    }
    if (FolderChecks::SameFolder(playFolders_->paths()).contains(path)) {
        platform::showMessage(this, {QStringLiteral("'") + platform::visibleFileName(path) +
                                         QStringLiteral("' は、すでに選択されています。\r\n"
                                                        "他のフォルダを選択してください。"),
                                     QStringLiteral("MIRAVELT Lyrabox 3 - 選択エラー"),
                                     platform::MessageIcon::Critical, platform::MessageButtons::Ok});
        return;
    }
    if (const qsizetype waiting = FolderChecks::SameFolder(waitFolders_->paths()).indexOf(path);
        waiting >= 0) {
        changeLists(FolderWaitListAppearance, [&] { waitFolders_->removeAt(waiting); });
    }
    playFolders_->append(path);
    renewPlayList();
}

void FolderForm::FolderListAppearance_Click()
{
    selectEntry(1);
}

void FolderForm::FolderWaitListAppearance_Click()
{
    selectEntry(2);
}

void FolderForm::selectEntry(std::uint8_t list)
{
    SelectedFolderList = list;
    FolderChangeImplementation->setEnabled(true);
    FolderChangeImplementation->setText(list == 1 ? QStringLiteral("↓") : QStringLiteral("↑"));
    FolderOut->setEnabled(true);
    const FolderListModel *model = list == 1 ? playFolders_ : waitFolders_;
    SelectedFolderPath = model->at(selectedRow(selectedView()));
    FolderInfo->setEnabled(true);
}

void FolderForm::resetEditCommands()
{
    FolderOut->setEnabled(false);
    FolderChangeImplementation->setEnabled(false);
    FolderChangeImplementation->setText(QStringLiteral("-"));
    FolderInfo->setEnabled(false);
}

void FolderForm::FolderChangeImplementation_Click()
{
    if (!FolderEditReady) {
        return;
    }
    FolderEditReady = false;
    resetEditCommands();
    const bool fromPlay = SelectedFolderList == 1;
    FolderListModel *from = fromPlay ? playFolders_ : waitFolders_;
    FolderListModel *to = fromPlay ? waitFolders_ : playFolders_;
    // The selection may have gone with its entry (registered out of the waiting list).
    const qsizetype i = selectedRow(selectedView());
    if (i >= 0 && i < from->count()) {
        changeLists(selectedView(), [&] {
            to->append(from->at(i));
            from->removeAt(i);
        });
        renewPlayList();
    }
    FolderEditReady = true;
}

void FolderForm::FolderOut_Click()
{
    if (!FolderEditReady) {
        return;
    }
    FolderEditReady = false;
    resetEditCommands();
    FolderListModel *from = SelectedFolderList == 1 ? playFolders_ : waitFolders_;
    const qsizetype i = selectedRow(selectedView());
    if (i >= 0 && i < from->count()) {
        changeLists(selectedView(), [&] { from->removeAt(i); });
        if (SelectedFolderList == 1) {
            renewPlayList();
        }
    }
    FolderEditReady = true;
}

void FolderForm::FolderInfo_Click()
{
    const QString folder = SelectedFolderPath;
    platform::showItemProperties(folder, this, [this, folder] { showFolderProperties(this, folder); });
}

bool FolderForm::FolderList_KeyDown(int key)
{
    if (!FolderOut->isEnabled()) {
        return false;
    }
    if (key == Qt::Key_Delete) {
        FolderOut_Click();
    } else if (key == Qt::Key_C && FolderChangeImplementation->isEnabled()) {
        FolderChangeImplementation_Click();
    }
    return false;
}

bool FolderForm::eventFilter(QObject *watched, QEvent *event)
{
    const bool isList = watched == FolderListAppearance || watched == FolderWaitListAppearance;
    if (isList && event->type() == QEvent::KeyPress) {
        // Not consumed: the list goes on to handle the key its usual way.
        FolderList_KeyDown(static_cast<QKeyEvent *>(event)->key());
    }
    return Form::eventFilter(watched, event);
}

QListView *FolderForm::selectedView() const
{
    return SelectedFolderList == 1 ? FolderListAppearance : FolderWaitListAppearance;
}

qsizetype FolderForm::selectedRow(const QListView *view)
{
    const QModelIndexList rows = view->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void FolderForm::renewPlayList()
{
    if (PlayListForm *list = FormRegistry::instance().find<PlayListForm>()) {
        list->PlayListRenewal();
    }
}
