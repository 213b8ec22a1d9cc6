#include "mainwindow/MainForm.h"

#include "core/FormRegistry.h"
#include "core/RegistryModule.h"
#include "core/SystemDataBox.h"
#include "mainwindow/FittingFont.h"
#include "mainwindow/ImageButton.h"
#include "mainwindow/MainCounter.h"
#include "mainwindow/SkinPicture.h"
#include "mainwindow/SkinWidgets.h"
#include "mainwindow/TitleLabel.h"
#include "mainwindow/TitleScroller.h"
#include "mainwindow/TitleView.h"
#include "platform/Artwork.h"
#include "platform/MessageBox.h"
#include "playback/PlayController.h"
#include "playback/TextColour.h"
#include "playlist/PlayListForm.h"

#include <QLabel>
#include <QTimer>

using namespace RegistryModule;

namespace {

constexpr int skinWidth = 255;
constexpr int skinHeight = 109;

QString setting(const QString &name)
{
    return GetRegString(HKEY_CURRENT_USER, SettingsKey, name);
}

std::uint8_t menuSetting(const QString &name, const char *whenEmpty)
{
    QString value = setting(name);
    if (value.isEmpty()) {
        value = QString::fromLatin1(whenEmpty);
    }
    bool ok = false;
    const uint number = value.toUInt(&ok);
    return ok && number <= 255 ? static_cast<std::uint8_t>(number) : std::uint8_t{255};
}

QLabel *label(QWidget *parent, const char *name, const QString &text, QRect place)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(place);
    return l;
}

template <class T> T *placed(T *widget, const char *name, QRect place)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(place);
    return widget;
}

} // namespace

MainForm::MainForm() : Form(nullptr, Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Lyrabox 3"));
    setWindowIcon(QIcon(platform::artworkPixmap(QStringLiteral(":/artwork/lyrabox3.png"))));
    setFixedSize(skinWidth, skinHeight);
    setMouseTracking(true);
    createControls();
    createLamps();
    connectButtons();
    followSettings();
}

void MainForm::createControls()
{
    MusicPlay =
        placed(new ImageButton(QStringLiteral("music-play"), true, this), "MusicPlay", {16, 8, 54, 55});
    MusicStop =
        placed(new ImageButton(QStringLiteral("music-stop"), true, this), "MusicStop", {46, 56, 25, 25});
    MusicStop->setEnabled(false);
    FolderSetup =
        placed(new ImageButton(QStringLiteral("folder-setup"), true, this), "FolderSetup", {163, 73, 93, 15});
    FrontForm =
        placed(new ImageButton(QStringLiteral("front-form"), false, this), "FrontForm", {216, 0, 17, 17});
    ExitProgram =
        placed(new ImageButton(QStringLiteral("exit-program"), false, this), "ExitProgram", {232, 0, 17, 17});

    // As wide as the panel's top row allows: a large library counts in six digits.
    FileStatusLabel = label(this, "FileStatusLabel", QStringLiteral("Rest : 0 / 0 Files"), {80, 8, 125, 12});
    titleView_ = placed(new TitleView(this), "TitleBox", {80, 32, 163, 12});
    TitleBox = titleView_;
    auto *title = placed(new TitleLabel(TitleBox), "FileNameLabel", {0, 0, 0, 12});
    title->hide();
    titleView_->setTitle(title);
    FileNameLabel = title;
    // Clear of the title box: a step of the slide then touches nothing but the box.
    NowTimeLabel = placed(new TitleLabel(QStringLiteral("00:00:00"), this), "NowTimeLabel", {80, 44, 76, 18});
    AllTimeLabel = label(this, "AllTimeLabel", QStringLiteral("/ 00:00:00"), {160, 51, 59, 11});
    StatusLabel = label(this, "StatusLabel", QStringLiteral("Stop."), {225, 51, 24, 11});
    AllTimeLine =
        placed(new ProgressBar(QStringLiteral("progress-base"), this), "AllTimeLine", {80, 64, 169, 3});
    TimeLine = placed(new ProgressBar(QStringLiteral("progress-bar"), this), "TimeLine", {80, 64, 169, 3});

    QFont small = font();
    small.setPixelSize(10);
    for (QLabel *l : {FileNameLabel, AllTimeLabel, StatusLabel}) {
        l->setFont(small);
    }
    FileStatusLabel->setFont(fittingFont(small, restCounterText(999999, 999999), FileStatusLabel->width()));
    QFont big = font();
    big.setPixelSize(15);
    big.setBold(true);
    NowTimeLabel->setFont(big);
    StatusLabel->setAlignment(Qt::AlignCenter);

    MusicTimer = new QTimer(this);
    MusicTimer->setObjectName(QStringLiteral("MusicTimer"));
    MusicTimer->setInterval(MusicTickMs);
    titleScroller = new TitleScroller(FileNameLabel, titleView_, this);

    connect(MusicTimer, &QTimer::timeout, this, &MainForm::MusicTimer_Timer);
    followPlayControl();
}

void MainForm::createLamps()
{
    const struct {
        Lamp *MainForm::*member;
        const char *name;
        int left;
        const char *picture;
    } lamps[] = {
        {&MainForm::WAWImg, "WAWImg", 80, "lamp-autostart"},
        {&MainForm::WAPImg, "WAPImg", 92, "lamp-autoplay"},
        {&MainForm::WindowTopupImg, "WindowTopupImg", 104, "lamp-on-top"},
        {&MainForm::ThisMusicExitImg, "ThisMusicExitImg", 116, "lamp-this-music-exit"},
        {&MainForm::AllRepeatImg, "AllRepeatImg", 128, "lamp-all-repeat"},
        {&MainForm::OneRepeatImg, "OneRepeatImg", 140, "lamp-one-repeat"},
        {&MainForm::LBUImg, "LBUImg", 152, "lamp-list-backup"},
    };
    for (const auto &lamp : lamps) {
        Lamp *l =
            placed(new Lamp(QString::fromLatin1(lamp.picture), this), lamp.name, {lamp.left, 20, 12, 12});
        l->hide();
        this->*lamp.member = l;
    }
    InfoCover = placed(new Lamp(QStringLiteral("info-cover"), this), "InfoCover", {80, 20, 113, 12});
}

void MainForm::applyTextColour(const QColor &colour)
{
    for (QLabel *l : {NowTimeLabel, AllTimeLabel, FileNameLabel, FileStatusLabel}) {
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, colour);
        l->setPalette(p);
    }
    TitleBox->update();
}

void MainForm::Form_Load()
{
    MainPicture = platform::artworkImage(QStringLiteral(":/artwork/skin.png"));
    background_ = skinPicture(QStringLiteral("skin"));
    titleView_->setBackdrop(background_);
    for (ImageButton *button : {MusicPlay, MusicStop, FolderSetup}) {
        button->showPicture(ImageButton::Out);
    }
    if (!MainPicture.isNull()) {
        setFixedSize(MainPicture.size());
    }
    TimeLine->resize(0, TimeLine->height());
    sys().ElapsedDisplay = true;
    applyTextColour(textColourOf(setting(DColor)));
    sys().LeftClickMenu = menuSetting(LeftCMenu, "0");
    sys().RightClickMenu = menuSetting(RightCMenu, "1");
    sys().MiddleClickMenu = menuSetting(MiddleCMenu, "2");
    sys().TaskLeftClickMenu = menuSetting(TaskLCMenu, "1");
    setEnabled(false);
    MakeWindowRegion();
    setEnabled(true);
    PlayController::instance().beginRun();
    followPlayList();
    applySettings();
    loadedFully_ = true;
}

void MainForm::applySettings()
{
    sys().TitleScrollOn = setting(TitleScroll) != QStringLiteral("off");
    sys().TitleToolTipOn = setting(TitleToolTip) != QStringLiteral("off");
    if (setting(AutoPlay) == QStringLiteral("play")) {
        PlayController::instance().playOrPause();
        WAPImg->show();
    }
    sys().PlayEndStop = setting(PlayEndMode) == QStringLiteral("stop");
    if (!GetRegString(HKEY_CURRENT_USER, RunKey, RunValue).isEmpty()) {
        WAWImg->show();
    }
    if (setting(RegistryModule::InfoCover) == QStringLiteral("on")) {
        InfoCover->hide();
    }
    LBUImg->setVisible(sys().ListBackupOn);
    sys().DownWinMode = setting(DownWin) == QStringLiteral("1") ? 1 : 0;
    showFrontFormTip(sys().DownWinMode == 1);
    PlayController::instance().countRest();
}

void MainForm::Form_Unload()
{
    MusicTimer->stop();
    titleScroller->sleep();
    PlayController::instance().endRun();
    // Until it is deleted, an unloaded window follows nothing.
    disconnect(&PlayController::instance(), nullptr, this, nullptr);
    loadedFully_ = false;
    FormRegistry &forms = FormRegistry::instance();
    if (!isVisible()) {
        if (PlayListForm *list = forms.find<PlayListForm>()) {
            list->TasktrayEnd();
        }
    }
    forms.unload<PlayListForm>();
    forms.unload(WindowKind::VersionForm);
}

void MainForm::ExitProgram_Click()
{
    const auto answer = platform::showMessage(
        this, {QStringLiteral("MIRAVELT Lyrabox 3 を終了します。\r\nよろしいですか？"),
               QStringLiteral("終了確認"), platform::MessageIcon::Question, platform::MessageButtons::YesNo});
    if (answer != platform::MessageAnswer::No) {
        FormRegistry::instance().unload(this);
    }
}
