#include "app/OptionForm.h"

#include "core/DialogLayout.h"
#include "playlist/PlayFilePattern.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QCheckBox *check(QWidget *parent, const char *name, const QString &caption)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QComboBox *choice(QWidget *parent, const char *name, const QStringList &entries)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->addItems(entries);
    return box;
}

QPushButton *push(QWidget *parent, const char *name, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QGroupBox *group(const QString &caption, QLayout *content)
{
    auto *frame = new QGroupBox(caption);
    frame->setLayout(content);
    return frame;
}

void addRow(QGridLayout *grid, const QString &caption, QWidget *field)
{
    int row = grid->rowCount();
    grid->addWidget(new QLabel(caption), row, 0);
    grid->addWidget(field, row, 1);
}

// The controls' natural width at 96 dpi; the title band is drawn to it.
constexpr int WidthTwips = 10560;

const QStringList menuEntries{QStringLiteral("通常メニュー"), QStringLiteral("項目別メニュー")};

} // namespace

OptionForm::OptionForm()
{
    setObjectName(QStringLiteral("OptionForm"));
    setWindowTitle(QStringLiteral("プレイオプション"));
    buildControls();
}

void OptionForm::buildControls()
{
    auto *start = new QVBoxLayout;
    WindowsAutoWakeup =
        check(this, "WindowsAutoWakeup", QStringLiteral("ログインと同時に Lyrabox も起動する"));
    WakeupAutoPlay = check(this, "WakeupAutoPlay", QStringLiteral("Lyrabox 起動時に自動的に再生を開始する"));
    PlayListBackUp = check(this, "PlayListBackUp", QStringLiteral("終了時にプレイリストをバックアップする"));
    PlayEndMode = check(this, "PlayEndMode", QStringLiteral("全てのファイルを再生し終わったら停止する"));
    TrackNotice = check(this, "TrackNotice", QStringLiteral("曲が変わったら通知する"));
    EvenLoudness = check(this, "EvenLoudness", QStringLiteral("音量を揃える"));
    for (QWidget *w :
         {WindowsAutoWakeup, WakeupAutoPlay, PlayListBackUp, PlayEndMode, EvenLoudness, TrackNotice}) {
        start->addWidget(w);
    }

    auto *files = new QVBoxLayout;
    auto *label1 = new QLabel(QStringLiteral("Lyrabox で再生するファイル形式を選択してください。"));
    label1->setObjectName(QStringLiteral("Label1"));
    FileSystemList = new QListWidget(this);
    FileSystemList->setObjectName(QStringLiteral("FileSystemList"));
    FileSystemList->setSelectionMode(QAbstractItemView::MultiSelection);
    FileSystemList->addItems(PlayFilePattern::captions());
    auto *label4 = new QLabel(QStringLiteral("※プレイリストの更新後から有効になります。"));
    label4->setObjectName(QStringLiteral("Label4"));
    FileSystemAdvise = push(this, "FileSystemAdvise", QStringLiteral("推奨設定"));
    files->addWidget(label1);
    files->addWidget(FileSystemList);
    files->addWidget(label4);
    files->addWidget(FileSystemAdvise, 0, Qt::AlignRight);

    auto *display = new QGridLayout;
    TitleToolTipInfo =
        check(this, "TitleToolTipInfo", QStringLiteral("ファイル名をポイントした際にファイルパスを表示する"));
    TitleScrollInfo =
        check(this, "TitleScrollInfo", QStringLiteral("ファイル名が収まらない場合スクロールする"));
    InfoCover = check(this, "InfoCover", QStringLiteral("設定のアイコン表示をする"));
    display->addWidget(TitleToolTipInfo, 0, 0, 1, 3);
    display->addWidget(TitleScrollInfo, 1, 0, 1, 3);
    display->addWidget(InfoCover, 2, 0, 1, 3);
    DisplayTextColor =
        choice(this, "DisplayTextColor",
               {QStringLiteral("標準"), QStringLiteral("レッド"), QStringLiteral("オレンジ"),
                QStringLiteral("イエロー"), QStringLiteral("グリーン"), QStringLiteral("スカイブルー"),
                QStringLiteral("ブルー"), QStringLiteral("ピンク"), QStringLiteral("パープル"),
                QStringLiteral("ホワイト")});
    LabelImageText = new QLabel(QStringLiteral(" Lyrabox 3 "), this);
    LabelImageText->setObjectName(QStringLiteral("LabelImageText"));
    LabelImageText->setAutoFillBackground(true);
    QPalette sample = LabelImageText->palette();
    sample.setColor(QPalette::Window, Qt::black);
    LabelImageText->setPalette(sample);
    display->addWidget(new QLabel(QStringLiteral("文字色 :")), 3, 0);
    display->addWidget(DisplayTextColor, 3, 1);
    display->addWidget(LabelImageText, 3, 2);

    auto *menus = new QGridLayout;
    LeftCMS = choice(this, "LeftCMS", menuEntries);
    RightCMS = choice(this, "RightCMS", menuEntries + QStringList{QStringLiteral("無効")});
    MiddleCMS = choice(this, "MiddleCMS", menuEntries + QStringList{QStringLiteral("無効")});
    TaskLCMS = choice(this, "TaskLCMS",
                      {QStringLiteral("再生/停止"), QStringLiteral("常駐復帰"), QStringLiteral("無効")});
    addRow(menus, QStringLiteral("クリック : "), LeftCMS);
    addRow(menus, QStringLiteral("右クリック : "), RightCMS);
    addRow(menus, QStringLiteral("中央クリック : "), MiddleCMS);
    addRow(menus, QStringLiteral("タスクトレイアイコンクリック : "), TaskLCMS);

    auto *form = new QGridLayout;
    DownWinCC = choice(this, "DownWinCC",
                       {QStringLiteral("ウィンドウ最背面化"), QStringLiteral("タスクトレイ常駐化")});
    addRow(form, QStringLiteral("クリック : "), DownWinCC);

    auto *left = new QVBoxLayout;
    left->addWidget(group(QStringLiteral("起動/終了/再生設定"), start));
    left->addWidget(group(QStringLiteral("ファイル形式"), files));
    auto *right = new QVBoxLayout;
    right->addWidget(group(QStringLiteral("ディスプレイ"), display));
    right->addWidget(group(QStringLiteral("メニュー表示"), menus));
    right->addWidget(group(QStringLiteral("フォーム表示"), form));
    right->addStretch();
    auto *columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);

    SystemAdvice = push(this, "SystemAdvice", QStringLiteral("推奨設定"));
    ExitFolderSetup = push(this, "ExitFolderSetup", QStringLiteral("OK"));
    ExitSetup = push(this, "ExitSetup", QStringLiteral("キャンセル"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(SystemAdvice);
    buttons->addStretch();
    buttons->addWidget(ExitFolderSetup);
    buttons->addWidget(ExitSetup);

    // The title band runs edge to edge above the padded controls.
    const DialogLayout::Header header = DialogLayout::header(
        this, "HeaderArea", WidthTwips, QStringLiteral("プレイオプション"),
        QStringLiteral("Lyrabox の起動に関わる設定や再生するファイル形式を選択します。"
                       "設定方法が分からない場合は、[推奨設定]をクリックしてください。"));
    header.area->setFixedSize(header.area->size());
    auto *body = new QVBoxLayout;
    body->addLayout(columns);
    body->addLayout(buttons);
    auto *all = new QVBoxLayout(this);
    all->setContentsMargins(0, 0, 0, 0);
    all->addWidget(header.area);
    all->addLayout(body);
    body->setContentsMargins(style()->pixelMetric(QStyle::PM_LayoutLeftMargin),
                             style()->pixelMetric(QStyle::PM_LayoutTopMargin),
                             style()->pixelMetric(QStyle::PM_LayoutRightMargin),
                             style()->pixelMetric(QStyle::PM_LayoutBottomMargin));

    connect(DisplayTextColor, &QComboBox::currentIndexChanged, this, &OptionForm::DisplayTextColor_Click);
    connect(FileSystemAdvise, &QPushButton::clicked, this, &OptionForm::FileSystemAdvise_Click);
    connect(SystemAdvice, &QPushButton::clicked, this, &OptionForm::SystemAdvice_Click);
    connect(ExitFolderSetup, &QPushButton::clicked, this, &OptionForm::ExitFolderSetup_Click);
    connect(ExitSetup, &QPushButton::clicked, this, &OptionForm::ExitSetup_Click);
}
