#include "playlist/PlayListForm.h"

#include "core/DialogLayout.h"
#include "core/SettingsNotice.h"
#include "core/SystemDataBox.h"
#include "platform/Artwork.h"
#include "playlist/PathDisplayForm.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

using namespace DialogLayout;

namespace {

constexpr GuideLine Line1{2760, 960, 2760, 3600};
constexpr GuideLine Line2{0, 855, 9015, 855};
constexpr GuideLine Line3{120, 3990, 8895, 3990};

constexpr int ClientWidth = 9015;
constexpr int ClientHeight = 4695;

template <class T> T *named(T *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QAction *checkable(QObject *parent, const QString &name, const QString &caption)
{
    auto *action = new QAction(caption, parent);
    action->setObjectName(name);
    action->setCheckable(true);
    return action;
}

} // namespace

PlayListForm::PlayListForm()
{
    setObjectName(QStringLiteral("PlayListForm"));
    setWindowTitle(QStringLiteral("プレイリスト"));
    setFixedSize(px(ClientWidth), px(ClientHeight));
    QFont small = font();
    small.setPointSize(9);
    setFont(small);
    createHeader();
    createCounts();
    createButtons();
    createListArea();
    createPlayModes();
    createMenus();
    followPlayModes();
    connectHandlers();
    connect(&SettingsNotice::instance(), &SettingsNotice::changed, this, &PlayListForm::settingsChanged);
}

void PlayListForm::createHeader()
{
    Picture1 = named(new QWidget(this), "Picture1");
    Picture1->setGeometry(twipRect(0, 0, 9255, 855));
    Picture1->setAutoFillBackground(true);
    QPalette white = Picture1->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    Picture1->setPalette(white);
    Image5 = label(Picture1, "Image5", {}, twipRect(120, 120, 615, 615));
    Image5->setPixmap(platform::artworkPixmap(QStringLiteral(":/artwork/lyrabox3-32.png")));
    Image5->setAlignment(Qt::AlignCenter);
    Label5 = label(Picture1, "Label5", QStringLiteral("プレイリスト"), twipRect(840, 90, 3000, 240));
    QFont bold = Label5->font();
    bold.setBold(true);
    Label5->setFont(bold);
    Label6 = label(Picture1, "Label6",
                   QStringLiteral("登録されたフォルダに含む再生ファイルの現状の再生リストです。"
                                  "再生順にソートされています。リストより再生ファイルを外す場合は、"
                                  "\"フォルダリスト セットアップ\"を行ってください。"),
                   twipRect(960, 330, 7935, 495));
    Label6->setWordWrap(true);
    Label6->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void PlayListForm::createCounts()
{
    Label7 = label(this, "Label7", QStringLiteral("リスト状況 : "), twipRect(120, 1080, 1365, 195));
    Label3 = label(this, "Label3", QStringLiteral("フォルダ総数 :"), twipRect(240, 1320, 1080, 195));
    Label4 = label(this, "Label4", QStringLiteral("ファイル総数 :"), twipRect(240, 1560, 1080, 195));
    Label8 = label(this, "Label8", QStringLiteral("ファイル残数 :"), twipRect(240, 1800, 1080, 195));
    NaviFolder = label(this, "NaviFolder", QStringLiteral("0"), twipRect(1320, 1320, 1335, 195));
    NaviAllFile = label(this, "NaviAllFile", QStringLiteral("0"), twipRect(1320, 1560, 1335, 195));
    NaviFile = label(this, "NaviFile", QStringLiteral("0"), twipRect(1320, 1800, 1335, 195));
    // Japanese glyphs run wider than the design font: keep each caption clear of its number.
    QFont narrow = font();
    narrow.setPixelSize(11);
    for (QLabel *caption : {Label3, Label4, Label8}) {
        caption->setFont(narrow);
    }
}

void PlayListForm::createButtons()
{
    AllListRenewal =
        button(this, "AllListRenewal", QStringLiteral("全ての更新"), twipRect(960, 2040, 1695, 345));
    PartListRenewal =
        button(this, "PartListRenewal", QStringLiteral("リスト内で更新"), twipRect(960, 2400, 1695, 345));
    PlayCancelFile =
        button(this, "PlayCancelFile", QStringLiteral("再生の一時中止"), twipRect(960, 2880, 1695, 345));
    PlayUpFile = button(this, "PlayUpFile", QStringLiteral("上に移動"), twipRect(960, 3240, 855, 345));
    PlayDownFile = button(this, "PlayDownFile", QStringLiteral("下に移動"), twipRect(1800, 3240, 855, 345));
    for (QPushButton *edit : {PlayCancelFile, PlayUpFile, PlayDownFile}) {
        edit->setEnabled(false);
    }
    PLHelp = button(this, "PLHelp", QStringLiteral("ヘルプ"), twipRect(6120, 4155, 975, 420));
    ExitPlayList = button(this, "ExitPlayList", QStringLiteral("OK"), twipRect(7200, 4080, 1695, 495));
}

void PlayListForm::createListArea()
{
    Label1 = label(this, "Label1", QStringLiteral("再生ファイル : "), twipRect(2880, 960, 1245, 195));
    PlayList = new PathListModel(static_cast<PathListModel::DisplayForm>(FileNameShortCut), this);
    OpenPlayList = named(new QListView(this), "OpenPlayList");
    OpenPlayList->setGeometry(twipRect(2880, 1200, 6015, 2400));
    // Every row is one line of text: lets the view skip measuring 100,000 rows.
    OpenPlayList->setUniformItemSizes(true);
    OpenPlayList->setSelectionMode(QAbstractItemView::SingleSelection);
    OpenPlayList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    OpenPlayList->setModel(PlayList);
    OpenPlayList->installEventFilter(this);
    Label2 = label(this, "Label2", QStringLiteral("ファイル : "), twipRect(2880, 3720, 840, 195));
    FilePosition = pathBox(this, "FilePosition", twipRect(3720, 3735, 5175, 180));
}

void PlayListForm::createPlayModes()
{
    AllMusicRepeat2 = AllMusicRepeat =
        checkable(this, QStringLiteral("AllMusicRepeat"), QStringLiteral("常時リピート"));
    OneMusicRepeat2 = OneMusicRepeat =
        checkable(this, QStringLiteral("OneMusicRepeat"), QStringLiteral("随時リピート"));
    ThisMusicExit2 = ThisMusicExit =
        checkable(this, QStringLiteral("ThisMusicExit"), QStringLiteral("この曲で閉じる"));
    WindowTopup2 = WindowTopup =
        checkable(this, QStringLiteral("WindowTopup"), QStringLiteral("常に手前に表示"));
}

void PlayListForm::connectHandlers()
{
    connect(AllListRenewal, &QPushButton::clicked, this, &PlayListForm::AllListRenewal_Click);
    connect(PartListRenewal, &QPushButton::clicked, this, &PlayListForm::PartListRenewal_Click);
    connect(PlayCancelFile, &QPushButton::clicked, this, &PlayListForm::PlayCancelFile_Click);
    connect(PLHelp, &QPushButton::clicked, this, &PlayListForm::PLHelp_Click);
    connect(PlayUpFile, &QPushButton::clicked, this, &PlayListForm::PlayUpFile_Click);
    connect(PlayDownFile, &QPushButton::clicked, this, &PlayListForm::PlayDownFile_Click);
    connect(ExitPlayList, &QPushButton::clicked, this, &PlayListForm::ExitPlayList_Click);
    connect(OpenPlayList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &PlayListForm::OpenPlayList_Click);
    connect(FilePosition, &QLineEdit::textChanged, this, &PlayListForm::FilePosition_Change);
    // Play control takes entries off the top: the selected row may move under
    // the buttons, which must follow it.
    connect(PlayList, &QAbstractItemModel::rowsRemoved, this, &PlayListForm::updateEditButtons);
    connect(PlayList, &QAbstractItemModel::rowsInserted, this, &PlayListForm::updateEditButtons);
    connect(PlayList, &QAbstractItemModel::rowsMoved, this, &PlayListForm::updateEditButtons);
}

void PlayListForm::closeEvent(QCloseEvent *event)
{
    // The player needs this window for the whole run: closing only hides it,
    // as its own exit button does, help panel and all.
    event->ignore();
    ExitPlayList_Click();
}

void PlayListForm::paintEvent(QPaintEvent *event)
{
    Form::paintEvent(event);
    QPainter painter(this);
    for (const GuideLine &line : {Line1, Line2, Line3}) {
        drawEtched(painter, *this, line);
    }
}
