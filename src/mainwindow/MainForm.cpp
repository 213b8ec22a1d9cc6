#include "mainwindow/MainForm.h"

#include "app/FormRegistry.h"
#include "app/RegistryModule.h"
#include "app/SystemDataBox.h"
#include "mainwindow/ImageButton.h"
#include "mainwindow/WindowTopModule.h"
#include "platform/MessageBox.h"
#include "playback/MediaCommands.h"
#include "playback/TextColour.h"
#include "playlist/PlayListForm.h"

#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWindow>

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

ImageButton *imageButton(QWidget *parent, const char *name, ImageButton::Glyph glyph, QRect place)
{
    auto *b = new ImageButton(glyph, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(place);
    return b;
}

} // namespace

MainForm::MainForm() : Form(nullptr, Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Lyrabox 3"));
    setWindowIcon(QIcon(QStringLiteral(":/artwork/lyrabox3.png")));
    setFixedSize(skinWidth, skinHeight);
    createControls();
    createLamps();
}

void MainForm::createControls()
{
    MusicPlay = imageButton(this, "MusicPlay", ImageButton::Glyph::Play, {16, 8, 54, 55});
    MusicStop = imageButton(this, "MusicStop", ImageButton::Glyph::Stop, {46, 56, 25, 25});
    MusicStop->setEnabled(false);
    FolderSetup = imageButton(this, "FolderSetup", ImageButton::Glyph::Menu, {163, 73, 93, 15});
    FrontForm = imageButton(this, "FrontForm", ImageButton::Glyph::Back, {216, 0, 17, 17});
    ExitProgram = imageButton(this, "ExitProgram", ImageButton::Glyph::Close, {232, 0, 17, 17});

    FileStatusLabel = label(this, "FileStatusLabel", QStringLiteral("Rest : 0 / 0 Files"), {80, 8, 89, 12});
    TitleBox = new QWidget(this);
    TitleBox->setObjectName(QStringLiteral("TitleBox"));
    TitleBox->setGeometry(80, 32, 163, 12);
    FileNameLabel = label(TitleBox, "FileNameLabel", QString(), {0, 0, 0, 12});
    NowTimeLabel = label(this, "NowTimeLabel", QStringLiteral("00:00:00"), {80, 43, 76, 19});
    AllTimeLabel = label(this, "AllTimeLabel", QStringLiteral("/ 00:00:00"), {160, 51, 59, 11});
    StatusLabel = label(this, "StatusLabel", QStringLiteral("Stop."), {225, 51, 24, 11});
    AllTimeLine = label(this, "AllTimeLine", QString(), {80, 64, 169, 3});
    TimeLine = label(this, "TimeLine", QString(), {80, 64, 169, 3});
    AllTimeLine->setStyleSheet(QStringLiteral("background: #2a3350;"));
    TimeLine->setStyleSheet(QStringLiteral("background: qlineargradient(x1:0, y1:0, x2:1, y2:0, "
                                           "stop:0 #4fc3f7, stop:1 #9575cd);"));

    QFont small = font();
    small.setPixelSize(10);
    for (QLabel *l : {FileStatusLabel, FileNameLabel, AllTimeLabel, StatusLabel}) {
        l->setFont(small);
    }
    QFont big = font();
    big.setPixelSize(15);
    big.setBold(true);
    NowTimeLabel->setFont(big);
    StatusLabel->setAlignment(Qt::AlignCenter);

    MusicTimer = new QTimer(this);
    MusicTimer->setObjectName(QStringLiteral("MusicTimer"));
    MusicTimer->setInterval(100);
    TitleTimer = new QTimer(this);
    TitleTimer->setObjectName(QStringLiteral("TitleTimer"));
    TitleTimer->setInterval(30);

    connect(MusicPlay, &ImageButton::clicked, this, &MainForm::MusicPlay_Click);
    connect(MusicStop, &ImageButton::clicked, this, &MainForm::MusicStop_Click);
    connect(ExitProgram, &ImageButton::clicked, this, &MainForm::ExitProgram_Click);
    connect(MusicTimer, &QTimer::timeout, this, &MainForm::MusicTimer_Timer);
    connect(TitleTimer, &QTimer::timeout, this, &MainForm::TitleTimer_Timer);
}

void MainForm::createLamps()
{
    const struct {
        QLabel *MainForm::*member;
        const char *name;
        int left;
        const char *colour;
    } lamps[] = {
        {&MainForm::WAWImg, "WAWImg", 80, "#7cb342"},
        {&MainForm::WAPImg, "WAPImg", 92, "#29b6f6"},
        {&MainForm::WindowTopupImg, "WindowTopupImg", 104, "#ffca28"},
        {&MainForm::ThisMusicExitImg, "ThisMusicExitImg", 116, "#ef5350"},
        {&MainForm::AllRepeatImg, "AllRepeatImg", 128, "#ab47bc"},
        {&MainForm::OneRepeatImg, "OneRepeatImg", 140, "#ec407a"},
        {&MainForm::LBUImg, "LBUImg", 152, "#26a69a"},
    };
    for (const auto &lamp : lamps) {
        QLabel *l = label(this, lamp.name, QString(), {lamp.left, 20, 12, 12});
        l->setStyleSheet(QStringLiteral("background: %1; border-radius: 3px; margin: 2px;")
                             .arg(QString::fromLatin1(lamp.colour)));
        l->hide();
        this->*lamp.member = l;
    }
    InfoCover = label(this, "InfoCover", QString(), {80, 20, 113, 12});
    InfoCover->setStyleSheet(QStringLiteral("background: #161b2e;"));
}

void MainForm::applyTextColour(const QColor &colour)
{
    for (QLabel *l : {NowTimeLabel, AllTimeLabel, FileNameLabel, FileStatusLabel}) {
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, colour);
        l->setPalette(p);
    }
}

void MainForm::Form_Load()
{
    TimeLine->resize(0, TimeLine->height());
    sys().ElapsedDisplay = true;
    applyTextColour(textColourOf(setting(DColor)));
    sys().LeftClickMenu = menuSetting(LeftCMenu, "0");
    sys().RightClickMenu = menuSetting(RightCMenu, "1");
    sys().MiddleClickMenu = menuSetting(MiddleCMenu, "2");
    sys().TaskLeftClickMenu = menuSetting(TaskLCMenu, "1");
    setEnabled(false);
    WindowTopModule::WindowTop(*this, WindowTopModule::Topmost);
    setEnabled(true);
    sys().PlayCommand = 1;
    applySettings();
    sys().MainFormLoaded = true;
}

void MainForm::applySettings()
{
    sys().TitleScrollOn = setting(TitleScroll) != QStringLiteral("off");
    sys().TitleToolTipOn = setting(TitleToolTip) != QStringLiteral("off");
    if (setting(AutoPlay) == QStringLiteral("play")) {
        MusicPlay_Click();
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
    if (setting(DownWin) == QStringLiteral("1")) {
        sys().DownWinMode = 1;
        FrontForm->setToolTip(QStringLiteral("タスクトレイ常駐化"));
    } else {
        sys().DownWinMode = 0;
        FrontForm->setToolTip(QStringLiteral("ウィンドウ最背面化"));
    }
    showRestCounter();
}

void MainForm::Form_Unload()
{
    MusicTimer->stop();
    TitleTimer->stop();
    if (sys().PlayCommand == 2 || sys().PlayCommand == 3) {
        MediaCommands::send(QStringLiteral("stop MusicMedia"));
        MediaCommands::send(QStringLiteral("close MusicMedia"));
    }
    sys().MainFormLoaded = false;
    FormRegistry::instance().unload<PlayListForm>();
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

void MainForm::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, QColor(36, 42, 68));
    gradient.setColorAt(1, QColor(18, 21, 36));
    painter.fillRect(rect(), gradient);
    painter.setPen(QColor(70, 80, 120));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    // The status words come in dark red and dark green: give them a light plate.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(226, 232, 244));
    painter.drawRoundedRect(QRectF(StatusLabel->geometry()).adjusted(-3, -1, 1, 1), 3, 3);
}

void MainForm::Form_MouseDown(Qt::MouseButton button, QPoint globalPos)
{
    if (button != Qt::LeftButton) {
        return;
    }
    // Without a window manager there is no system move: follow the mouse ourselves.
    if (windowHandle() && windowHandle()->startSystemMove()) {
        return;
    }
    dragging_ = true;
    dragOffset_ = globalPos - frameGeometry().topLeft();
}

void MainForm::mousePressEvent(QMouseEvent *event)
{
    Form_MouseDown(event->button(), event->globalPosition().toPoint());
}

void MainForm::mouseMoveEvent(QMouseEvent *event)
{
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - dragOffset_);
    }
}

void MainForm::mouseReleaseEvent(QMouseEvent *)
{
    dragging_ = false;
}
