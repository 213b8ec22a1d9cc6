#include "core/FormRegistry.h"
#include "folders/FolderChecks.h"
#include "folders/FolderContents.h"
#include "folders/FolderForm.h"
#include "folders/FolderListModel.h"
#include "folders/FolderSearchForm.h"
#include "folders/FolderWalker.h"
#include "platform/FileNameCodec.h"
#include "platform/MessageBox.h"
#include "playlist/PlayListForm.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

void FolderSearchForm::FSStart_Click()
{
    const platform::MessageAnswer answer =
        platform::showMessage(this, {QStringLiteral("フォルダ検索を開始します。\r\nよろしいですか？"),
                                     QStringLiteral("フォルダ検索確認"), platform::MessageIcon::Question,
                                     platform::MessageButtons::YesNo});
    if (answer != platform::MessageAnswer::Yes || searching()) {
        return;
    }
    const QString root = SearchDrive->currentData().toString();
    SearchInfoLabel->setText(QStringLiteral("フォルダの検索中です。お待ちください..."));
    SearchInfoLabel->show();
    setSearching(true);
    SearchRunning = true;
    worker_.start(root);
}

void FolderSearchForm::setSearching(bool on)
{
    for (QWidget *w :
         {static_cast<QWidget *>(SearchDrive), static_cast<QWidget *>(FSStart),
          static_cast<QWidget *>(InfoSearchHitList), static_cast<QWidget *>(FHCancel),
          static_cast<QWidget *>(ExitFolderSearch), static_cast<QWidget *>(CancelFolderSearch)}) {
        w->setEnabled(!on);
    }
    SearchCancel->setEnabled(on);
}

void FolderSearchForm::SearchCancel_Click()
{
    SearchRunning = false;
    worker_.stop();
}

void FolderSearchForm::takeHits(const QStringList &posted, bool done)
{
    for (const QString &folder : posted) {
        // A second search adds only what the first did not find.
        if (!hitSet_.contains(folder)) {
            hitSet_.insert(folder);
            hits_->append(folder);
        }
    }
    if (done) {
        finishSearch();
    }
}

void FolderSearchForm::finishSearch()
{
    setSearching(false);
    SearchInfoLabel->setText(SearchRunning ? QStringLiteral("フォルダ検索が完了しました。")
                                           : QStringLiteral("フォルダ検索を中止しました。"));
}

void FolderSearchForm::leaveSearch()
{
    SearchRunning = false;
    if (worker_.running()) {
        worker_.leave();
        finishSearch();
    }
}

void FolderSearchForm::InfoSearchHitList_Click()
{
    const QModelIndexList rows = InfoSearchHitList->selectionModel()->selectedRows();
    if (rows.isEmpty()) {
        return;
    }
    const QString folder = hits_->at(rows.first().row());
    showFiles(folder);
    writeInfoFolderPosition(platform::visibleFileName(folder));
    FHCancel->setEnabled(true);
}

void FolderSearchForm::FHCancel_Click()
{
    InfoFolderPositionLock = true;
    FHCancel->setEnabled(false);
    QItemSelectionModel *selection = InfoSearchHitList->selectionModel();
    const QModelIndexList rows = selection->selectedRows();
    // The view moves the selection on to the next hit: nothing is selected after a drop.
    droppingHit_ = true;
    if (!rows.isEmpty()) {
        const int row = rows.first().row();
        hitSet_.remove(hits_->at(row));
        hits_->removeAt(row);
    }
    selection->clear();
    droppingHit_ = false;
    writeInfoFolderPosition(QString());
    showFiles(QCoreApplication::applicationDirPath());
}

void FolderSearchForm::showFiles(const QString &folder)
{
    // Read once per selection: a click on a file reads nothing again.
    QStringList files;
    FolderContents::playableFiles(folder, files);
    for (QString &file : files) {
        file = platform::visibleFileName(file);
    }
    InfoPlayFile->clear();
    InfoPlayFile->addItems(files);
    InfoPlayFile->setProperty("folder", folder);
}

void FolderSearchForm::writeInfoFolderPosition(const QString &text)
{
    InfoFolderPositionLock = true;
    shownPath_ = text;
    InfoFolderPosition->setText(text);
    InfoFolderPositionLock = false;
}

void FolderSearchForm::InfoFolderPosition_Change()
{
    if (InfoFolderPositionLock) {
        InfoFolderPositionLock = false;
        return;
    }
    InfoFolderPositionLock = true;
    InfoFolderPosition->setText(shownPath_);
}

void FolderSearchForm::ExitFolderSearch_Click()
{
    if (SearchHitList.isEmpty()) {
        CancelFolderSearch_Click();
        return;
    }
    // Said while the window can still take the answer.
    QStringList refused;
    std::copy_if(SearchHitList.cbegin(), SearchHitList.cend(), std::back_inserter(refused),
                 FolderChecks::hasLineEnd);
    if (!refused.isEmpty()) {
        FolderChecks::refuseLineEnds(this, refused);
    }
    SearchInfoLabel->setText(QStringLiteral("お待ちください..."));
    setEnabled(false);
    PlayListForm *list = FormRegistry::instance().find<PlayListForm>();
    FolderForm *setup = FormRegistry::instance().find<FolderForm>();
    if (list != nullptr) {
        FolderChecks::SameFolder play(list->FolderList);
        const FolderChecks::SameFolder waiting(list->FolderWaitList);
        const QList<std::optional<platform::FolderIdentity>> ids = platform::folderIdentities(SearchHitList);
        for (qsizetype i = 0; i < SearchHitList.size(); ++i) {
            const QString &folder = SearchHitList.at(i);
            if (FolderChecks::hasLineEnd(folder) || play.indexOf(folder, ids.at(i)) >= 0 ||
                waiting.indexOf(folder, ids.at(i)) >= 0) {
                continue;
            }
            play.append(folder, ids.at(i));
            // Through the set-up window's twin when it is open, so it shows at once.
            if (setup != nullptr) {
                setup->playFolders()->append(folder);
            } else {
                list->FolderList.append(folder);
            }
        }
        list->PlayListRenewal();
    }
    CancelFolderSearch_Click();
}

void FolderSearchForm::CancelFolderSearch_Click()
{
    enableSetupWindow();
    FormRegistry::instance().unload(this);
}

void FolderSearchForm::enableSetupWindow()
{
    if (FolderForm *setup = FormRegistry::instance().find<FolderForm>()) {
        setup->setEnabled(true);
    }
}
