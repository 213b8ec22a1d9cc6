#include "folders/FolderSearchForm.h"

#include "core/DialogLayout.h"
#include "core/FormRegistry.h"
#include "core/SystemDataBox.h"
#include "folders/FolderListModel.h"
#include "help/QuickHelpForm.h"
#include "platform/Volumes.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>

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
