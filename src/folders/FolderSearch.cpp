#include "app/FormRegistry.h"
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
    walkDone_ = false;
    worker_ = std::thread([this, root] {
        FolderWalker(SearchRunning, [this](const QString &folder) { postHit(folder); }).walk(root);
        postDone();
    });
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
}

// Worker thread: hits wait under the lock; one queued call takes all that came.
void FolderSearchForm::postHit(const QString &folder)
{
    const QMutexLocker lock(&postMutex_);
    postedHits_.append(folder);
    if (!takePosted_) {
        takePosted_ = true;
        QMetaObject::invokeMethod(this, &FolderSearchForm::takePostedHits, Qt::QueuedConnection);
    }
}

void FolderSearchForm::postDone()
{
    const QMutexLocker lock(&postMutex_);
    walkDone_ = true;
    if (!takePosted_) {
        takePosted_ = true;
        QMetaObject::invokeMethod(this, &FolderSearchForm::takePostedHits, Qt::QueuedConnection);
    }
}

void FolderSearchForm::takePostedHits()
{
    QStringList posted;
    bool done = false;
    {
        const QMutexLocker lock(&postMutex_);
        posted.swap(postedHits_);
        done = walkDone_;
        takePosted_ = false;
    }
    for (const QString &folder : std::as_const(posted)) {
        // A second search adds only what the first did not find.
        if (!hitSet_.contains(folder)) {
            hitSet_.insert(folder);
            hits_->append(folder);
        }
    }
    if (done && worker_.joinable()) {
        worker_.join();
        finishSearch();
    }
}

void FolderSearchForm::finishSearch()
{
    setSearching(false);
    SearchInfoLabel->setText(SearchRunning ? QStringLiteral("フォルダ検索が完了しました。")
                                           : QStringLiteral("フォルダ検索を中止しました。"));
}

void FolderSearchForm::stopAndWait()
{
    SearchRunning = false;
    if (worker_.joinable()) {
        worker_.join();
        // Hits it posted meanwhile are kept, as after a stop.
        takePostedHits();
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

void FolderSearchForm::InfoPlayFile_Click()
{
    showFiles(InfoPlayFile->property("folder").toString());
}

void FolderSearchForm::showFiles(const QString &folder)
{
    QStringList files;
    FolderContents::playableFiles(folder, files);
    InfoPlayFile->clear();
    for (const QString &file : std::as_const(files)) {
        InfoPlayFile->addItem(platform::visibleFileName(file));
    }
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
    SearchInfoLabel->setText(QStringLiteral("お待ちください..."));
    setEnabled(false);
    PlayListForm *list = FormRegistry::instance().find<PlayListForm>();
    FolderForm *setup = FormRegistry::instance().find<FolderForm>();
    if (list != nullptr) {
        for (const QString &folder : std::as_const(SearchHitList)) {
            if (list->FolderList.contains(folder) || list->FolderWaitList.contains(folder)) {
                continue;
            }
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
