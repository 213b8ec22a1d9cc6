#include "folders/FolderSearchForm.h"

#include "core/DialogLayout.h"
#include "core/FormRegistry.h"
#include "core/SystemDataBox.h"
#include "folders/FolderChecks.h"
#include "folders/FolderContents.h"
#include "folders/FolderForm.h"
#include "folders/FolderListModel.h"
#include "folders/FolderWalker.h"
#include "help/QuickHelpForm.h"
#include "platform/FileNameCodec.h"
#include "platform/MessageBox.h"
#include "platform/Volumes.h"
#include "playlist/PlayListForm.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

using namespace DialogLayout;

namespace {

constexpr GuideLine Line2{120, 2160, 7935, 2160};
constexpr GuideLine Line3{120, 5520, 7935, 5520};
constexpr int ClientWidth = 8055;
constexpr int ClientHeight = 6300;

} // namespace

FolderSearchForm::FolderSearchForm()
{
    setObjectName(QStringLiteral("FolderSearchForm"));
    setWindowTitle(QStringLiteral("フォルダ検索"));
    setFixedSize(px(ClientWidth), px(ClientHeight));
    QFont small = font();
    small.setPointSize(9);
    setFont(small);
    const Header h =
        header(this, "Picture1", ClientWidth, QStringLiteral("フォルダ検索"),
               QStringLiteral("指定されたドライブ内の利用できるファイルのフォルダを自動で検索します。"
                              "ドライブを選択した後、[フォルダ検索]をクリックしてください。"));
    Picture1 = h.area;
    Image5 = h.image;
    Label5 = h.title;
    Label6 = h.instructions;
    createControls();
    connectHandlers();
}

FolderSearchForm::~FolderSearchForm()
{
    leaveSearch();
}

void FolderSearchForm::createControls()
{
    Label1 = label(this, "Label1", QStringLiteral("ドライブ選択 :"), twipRect(120, 1200, 3000, 195));
    SearchDrive = new QComboBox(this);
    SearchDrive->setObjectName(QStringLiteral("SearchDrive"));
    SearchDrive->setGeometry(twipRect(120, 1440, 3000, 330));
    FSStart = button(this, "FSStart", QStringLiteral("フォルダ検索"), twipRect(3240, 1410, 1455, 390));
    SearchCancel = button(this, "SearchCancel", QStringLiteral("中止"), twipRect(4800, 1410, 1095, 390));
    SearchInfoLabel =
        label(this, "SearchInfoLabel", QStringLiteral("フォルダの検索中です。お待ちください..."),
              twipRect(120, 1860, 7815, 195));
    Label2 = label(this, "Label2", QStringLiteral("利用可能フォルダ :"), twipRect(120, 2280, 3000, 195));
    hits_ = new FolderListModel(&SearchHitList, this);
    InfoSearchHitList = new QListView(this);
    InfoSearchHitList->setObjectName(QStringLiteral("InfoSearchHitList"));
    InfoSearchHitList->setGeometry(twipRect(120, 2520, 3720, 2400));
    InfoSearchHitList->setUniformItemSizes(true);
    InfoSearchHitList->setSelectionMode(QAbstractItemView::SingleSelection);
    InfoSearchHitList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    InfoSearchHitList->setModel(hits_);
    InfoSearchHitList->installEventFilter(this);
    FHCancel = button(this, "FHCancel", QStringLiteral("利用キャンセル"), twipRect(120, 5010, 1695, 390));
    Label3 = label(this, "Label3", QStringLiteral("利用可能ファイル :"), twipRect(3960, 2280, 3000, 195));
    InfoPlayFile = new QListWidget(this);
    InfoPlayFile->setObjectName(QStringLiteral("InfoPlayFile"));
    InfoPlayFile->setUniformItemSizes(true);
    InfoPlayFile->setGeometry(twipRect(3960, 2520, 3975, 2400));
    Label8 = label(this, "Label8", QStringLiteral("フォルダ :"), twipRect(1920, 5100, 720, 195));
    InfoFolderPosition = pathBox(this, "InfoFolderPosition", twipRect(2640, 5100, 5295, 195));
    FSHelp = button(this, "FSHelp", QStringLiteral("ヘルプ"), twipRect(4200, 5730, 975, 420));
    ExitFolderSearch =
        button(this, "ExitFolderSearch", QStringLiteral("OK"), twipRect(5280, 5700, 1275, 480));
    CancelFolderSearch =
        button(this, "CancelFolderSearch", QStringLiteral("キャンセル"), twipRect(6660, 5700, 1275, 480));
}

void FolderSearchForm::connectHandlers()
{
    connect(FSStart, &QPushButton::clicked, this, &FolderSearchForm::FSStart_Click);
    connect(SearchCancel, &QPushButton::clicked, this, &FolderSearchForm::SearchCancel_Click);
    connect(FHCancel, &QPushButton::clicked, this, &FolderSearchForm::FHCancel_Click);
    connect(FSHelp, &QPushButton::clicked, this, &FolderSearchForm::FSHelp_Click);
    connect(ExitFolderSearch, &QPushButton::clicked, this, &FolderSearchForm::ExitFolderSearch_Click);
    connect(CancelFolderSearch, &QPushButton::clicked, this, &FolderSearchForm::CancelFolderSearch_Click);
    connect(InfoSearchHitList, &QListView::clicked, this, &FolderSearchForm::InfoSearchHitList_Click);
    connect(InfoSearchHitList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection &selected) {
                if (!selected.isEmpty() && !droppingHit_) {
                    InfoSearchHitList_Click();
                }
            });
    connect(InfoFolderPosition, &QLineEdit::textChanged, this, &FolderSearchForm::InfoFolderPosition_Change);
}

void FolderSearchForm::Form_Load()
{
    for (const platform::Volume &volume : platform::mountedVolumesWithin()) {
        SearchDrive->addItem(volume.text(), volume.rootPath);
    }
    SearchCancel->setEnabled(false);
    FHCancel->setEnabled(false);
    SearchInfoLabel->hide();
    show();
}

void FolderSearchForm::Form_Unload()
{
    leaveSearch();
    FormRegistry::instance().unload<QuickHelpForm>();
    sys().HelpContext.clear();
    sys().ShownHelpContext.clear();
}

void FolderSearchForm::FSHelp_Click()
{
    FormRegistry::instance().load<QuickHelpForm>();
}

void FolderSearchForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        sys().HelpContext = QStringLiteral("FolderSearch");
    }
    Form::changeEvent(event);
}

void FolderSearchForm::closeEvent(QCloseEvent *event)
{
    event->ignore();
    leaveSearch();
    CancelFolderSearch_Click();
}

void FolderSearchForm::paintEvent(QPaintEvent *event)
{
    Form::paintEvent(event);
    QPainter painter(this);
    drawEtched(painter, *this, Line2);
    drawEtched(painter, *this, Line3);
}

bool FolderSearchForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == InfoSearchHitList && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete && FHCancel->isEnabled()) {
        FHCancel_Click();
    }
    return Form::eventFilter(watched, event);
}

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
