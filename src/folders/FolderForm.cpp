#include "folders/FolderForm.h"

#include "core/DialogLayout.h"
#include "core/FormRegistry.h"
#include "core/SystemDataBox.h"
#include "folders/DirectoryList.h"
#include "folders/FolderListModel.h"
#include "help/QuickHelpForm.h"
#include "playlist/PlayListForm.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>

using namespace DialogLayout;

namespace {

constexpr GuideLine Line1{2640, 0, 2640, 3900};
constexpr GuideLine Line2{0, 4020, 5175, 4020};
constexpr GuideLine Line3{120, 6180, 8895, 6180};

constexpr int ClientWidth = 9015;
// Tall enough for a browser that shows a useful stretch of a folder tree.
constexpr int ClientHeight = 6900;
// How much wider the lists get with ">>".
constexpr int WideningTwips = 1560;

QListView *folderView(QWidget *parent, const char *name, const QRect &rect)
{
    auto *view = new QListView(parent);
    view->setObjectName(QString::fromLatin1(name));
    view->setGeometry(rect);
    view->setUniformItemSizes(true);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return view;
}

} // namespace

FolderForm::FolderForm()
{
    setObjectName(QStringLiteral("FolderForm"));
    setWindowTitle(QStringLiteral("フォルダリスト セットアップ"));
    setFixedSize(px(ClientWidth), px(ClientHeight));
    QFont small = font();
    small.setPointSize(9);
    setFont(small);
    const Header h =
        header(this, "TitleArea", ClientWidth + WideningTwips, QStringLiteral("フォルダリスト セットアップ"),
               QStringLiteral("再生するファイルのフォルダを登録します。希望するフォルダを選択した後、"
                              "[フォルダ登録]をクリックしてください。一時的に、再生を中止する場合は、"
                              "\"待機フォルダ\"へ移動させてください。フォルダ検索も行えます。"));
    TitleArea = h.area;
    Image5 = h.image;
    Label5 = h.title;
    Label6 = h.instructions;
    // The white band covers the widened window; the text wraps in the narrow one.
    Label6->resize(px(ClientWidth - 1080), Label6->height());
    createLists();
    createCommands();
    createBrowser();
}

void FolderForm::createLists()
{
    Label1 = label(this, "Label1", QStringLiteral("再生フォルダ :"), twipRect(120, 1200, 3000, 195));
    FolderListAppearance = folderView(this, "FolderListAppearance", twipRect(120, 1440, 3000, 2250));
    Label2 = label(this, "Label2", QStringLiteral("待機フォルダ :"), twipRect(120, 3810, 3000, 195));
    FolderWaitListAppearance = folderView(this, "FolderWaitListAppearance", twipRect(120, 4050, 3000, 2010));
    for (QListView *view : {FolderListAppearance, FolderWaitListAppearance}) {
        view->installEventFilter(this);
    }
}

void FolderForm::createCommands()
{
    FolderChangeImplementation =
        button(this, "FolderChangeImplementation", QStringLiteral("-"), twipRect(3240, 3090, 375, 375));
    FolderChangeImplementation->setToolTip(QStringLiteral("選択したフォルダを入れ替えます。"));
    FolderOut = button(this, "FolderOut", QStringLiteral("×"), twipRect(3240, 3510, 375, 375));
    FolderOut->setToolTip(QStringLiteral("選択したフォルダをリストから外します。"));
    FolderInfo = button(this, "FolderInfo", QStringLiteral("i"), twipRect(3240, 3930, 375, 375));
    FolderInfo->setToolTip(QStringLiteral("選択したフォルダのプロパティを開きます。"));
    resetEditCommands();
    FolderListView = button(this, "FolderListView", QStringLiteral(">>"), twipRect(120, 6330, 495, 420));
    OpenPlayList =
        button(this, "OpenPlayList", QStringLiteral("プレイリスト"), twipRect(720, 6330, 1455, 420));
    OpenFolderSearch =
        button(this, "OpenFolderSearch", QStringLiteral("フォルダ検索"), twipRect(2280, 6330, 1455, 420));
    PSHelp = button(this, "PSHelp", QStringLiteral("ヘルプ"), twipRect(6120, 6330, 975, 420));
    ExitFolderSetup = button(this, "ExitFolderSetup", QStringLiteral("OK"), twipRect(7200, 6300, 1695, 480));
}

void FolderForm::createBrowser()
{
    FolderView = new EtchedPanel(this, "FolderView", {Line1, Line2});
    FolderView->setGeometry(twipRect(3720, 1200, 5175, 4860));
    Label3 = label(FolderView, "Label3", QStringLiteral("ドライブ選択 :"), twipRect(0, 0, 2520, 195));
    DriveMenu = new QComboBox(FolderView);
    DriveMenu->setObjectName(QStringLiteral("DriveMenu"));
    DriveMenu->setGeometry(twipRect(0, 240, 2520, 330));
    Label4 = label(FolderView, "Label4", QStringLiteral("フォルダ選択 :"), twipRect(0, 660, 2520, 195));
    DirMenu = new DirectoryList(FolderView);
    DirMenu->setObjectName(QStringLiteral("DirMenu"));
    DirMenu->setGeometry(twipRect(0, 900, 2520, 3000));
    Label7 = label(FolderView, "Label7", QStringLiteral("利用可能ファイル :"), twipRect(2760, 0, 2415, 195));
    FileMenu = new QListWidget(FolderView);
    FileMenu->setObjectName(QStringLiteral("FileMenu"));
    // A flat folder of 100,000 files lays out at once only with rows of one height.
    FileMenu->setUniformItemSizes(true);
    FileMenu->setGeometry(twipRect(2760, 240, 2415, 3660));
    Label8 = label(FolderView, "Label8", QStringLiteral("フォルダ :"), twipRect(0, 4185, 720, 195));
    FolderPosition = pathBox(FolderView, "FolderPosition", twipRect(720, 4185, 4455, 195));
    FolderRegistration = button(FolderView, "FolderRegistration", QStringLiteral("フォルダ登録"),
                                twipRect(3480, 4410, 1695, 420));
}

void FolderForm::connectHandlers()
{
    connect(FolderRegistration, &QPushButton::clicked, this, &FolderForm::FolderRegistration_Click);
    connect(FolderChangeImplementation, &QPushButton::clicked, this,
            &FolderForm::FolderChangeImplementation_Click);
    connect(FolderOut, &QPushButton::clicked, this, &FolderForm::FolderOut_Click);
    connect(FolderInfo, &QPushButton::clicked, this, &FolderForm::FolderInfo_Click);
    connect(FolderListView, &QPushButton::clicked, this, &FolderForm::FolderListView_Click);
    connect(PSHelp, &QPushButton::clicked, this, &FolderForm::PSHelp_Click);
    connect(OpenPlayList, &QPushButton::clicked, this, &FolderForm::OpenPlayList_Click);
    connect(OpenFolderSearch, &QPushButton::clicked, this, &FolderForm::OpenFolderSearch_Click);
    connect(ExitFolderSetup, &QPushButton::clicked, this, &FolderForm::ExitFolderSetup_Click);
    // A click, or a selection made with the keys, as the list box's click.
    connect(FolderListAppearance, &QListView::clicked, this, &FolderForm::FolderListAppearance_Click);
    connect(FolderListAppearance->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection &selected) {
                if (!selected.isEmpty() && !listsChanging_) {
                    FolderListAppearance_Click();
                }
            });
    connect(FolderWaitListAppearance, &QListView::clicked, this, &FolderForm::FolderWaitListAppearance_Click);
    connect(FolderWaitListAppearance->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection &selected) {
                if (!selected.isEmpty() && !listsChanging_) {
                    FolderWaitListAppearance_Click();
                }
            });
    connect(FolderPosition, &QLineEdit::textChanged, this, &FolderForm::FolderPosition_Change);
    connect(DriveMenu, &QComboBox::currentIndexChanged, this, [this] {
        if (!drivesFilling_) {
            DriveMenu_Change();
        }
    });
    connect(DirMenu, &QListWidget::itemSelectionChanged, this, &FolderForm::DirMenu_Change);
    connect(DirMenu, &QListWidget::itemActivated, this, &FolderForm::DirMenu_DblClick);
}

void FolderForm::attachLists()
{
    PlayListForm *list = FormRegistry::instance().find<PlayListForm>();
    playFolders_ = new FolderListModel(list != nullptr ? &list->FolderList : nullptr, this);
    waitFolders_ = new FolderListModel(list != nullptr ? &list->FolderWaitList : nullptr, this);
    if (list != nullptr) {
        // The lists belong to the play list window; never show them after it is gone.
        connect(list, &QObject::destroyed, this, [this] {
            playFolders_->detach();
            waitFolders_->detach();
        });
    }
    FolderListAppearance->setModel(playFolders_);
    FolderWaitListAppearance->setModel(waitFolders_);
}

void FolderForm::Form_Load()
{
    attachLists();
    connectHandlers();
    refreshDrives();
    showStartFolder();
    FolderEditReady = true;
    FolderPositionLock = false;
    show();
}

void FolderForm::Form_Unload()
{
    FormRegistry::instance().unload(WindowKind::FolderSearchForm);
    FormRegistry::instance().unload<QuickHelpForm>();
    sys().HelpContext.clear();
    sys().ShownHelpContext.clear();
}

void FolderForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        sys().HelpContext = QStringLiteral("Folder");
    }
    Form::changeEvent(event);
}

void FolderForm::PSHelp_Click()
{
    FormRegistry::instance().load<QuickHelpForm>();
}

void FolderForm::FolderListView_Click()
{
    const int delta = px(wide_ ? -WideningTwips : WideningTwips);
    wide_ = !wide_;
    setFixedSize(width() + delta, height());
    for (QWidget *list :
         {static_cast<QWidget *>(FolderListAppearance), static_cast<QWidget *>(FolderWaitListAppearance)}) {
        list->resize(list->width() + delta, list->height());
    }
    for (QWidget *moved : {FolderView, static_cast<QWidget *>(FolderChangeImplementation),
                           static_cast<QWidget *>(FolderOut), static_cast<QWidget *>(FolderInfo)}) {
        moved->move(moved->x() + delta, moved->y());
    }
    FolderListView->setText(wide_ ? QStringLiteral("<<") : QStringLiteral(">>"));
    update();
}

void FolderForm::OpenPlayList_Click()
{
    if (PlayListForm *list = FormRegistry::instance().find<PlayListForm>()) {
        list->show();
        list->raise();
    }
}

void FolderForm::OpenFolderSearch_Click()
{
    setEnabled(false);
    FormRegistry::instance().load(WindowKind::FolderSearchForm);
}

void FolderForm::ExitFolderSetup_Click()
{
    FormRegistry::instance().unload(this);
}

void FolderForm::closeEvent(QCloseEvent *event)
{
    event->ignore();
    // While the search window is open it answers for both windows.
    if (isEnabled()) {
        ExitFolderSetup_Click();
    }
}

void FolderForm::paintEvent(QPaintEvent *event)
{
    Form::paintEvent(event);
    QPainter painter(this);
    drawEtched(painter, *this, Line3);
}
