#include "BuildPaths.h"
#include "app/RegistryModule.h"
#include "mainwindow/ImageButton.h"
#include "mainwindow/TrayIcon.h"
#include "mainwindow/WindowTopModule.h"
#include "platform/Paths.h"
#include "platform/UserName.h"
#include "playback/PlayerFixture.h"

#include <QApplication>
#include <QBitmap>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>
#include <tuple>

using namespace RegistryModule;

namespace {

using DesktopWindowTest = PlayerFixture;

QWidget *trayIconWidget()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (qstrcmp(w->metaObject()->className(), "QSystemTrayIconSys") == 0 && w->isVisible()) {
            return w;
        }
    }
    return nullptr;
}

} // namespace

TEST_F(DesktopWindowTest, TheScreenShowsTheRootAtTheMainWindowsCorners)
{
    loadPlayer({});
    main->move(200, 150);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
    QTest::qWait(300);
    const QString shot = folder.filePath(QStringLiteral("main.png"));
    QProcess tool;
    tool.start(LYRA_SCREENSHOT_BINARY, {shot, "0", "--crop"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return tool.state() == QProcess::NotRunning; }, 20000));
    ASSERT_EQ(tool.exitCode(), 0);

    const QImage image = QImage(shot).convertToFormat(QImage::Format_RGB32);
    const QImage skin = QImage(QStringLiteral(":/artwork/skin.png")).convertToFormat(QImage::Format_RGB32);
    const QRegion opaque(QBitmap::fromImage(skin.createMaskFromColor(skin.pixel(0, 0), Qt::MaskOutColor)));
    ASSERT_EQ(image.size(), opaque.boundingRect().size())
        << "only the window's outline differs from the root";
    const QRect box = image.rect();
    for (const QPoint at : {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()}) {
        EXPECT_EQ(image.pixel(at), qRgb(255, 255, 255)) << at.x() << "," << at.y() << ": the root shows";
    }
    EXPECT_NE(image.pixel(box.center()), qRgb(255, 255, 255));
}

TEST_F(DesktopWindowTest, TheTrayIconActsByItsSettingAndTheRightPressAlwaysRestores)
{
    QProcess trayHost;
    trayHost.start("trayer", {"--edge", "bottom"});
    ASSERT_TRUE(QTest::qWaitFor([] { return TrayIcon::available(); }, 10000));
    // What a left press on the icon did, then a right press when the window is still hidden.
    const std::tuple<const char *, const char *, const char *> rows[] = {
        {"0", "plays=1 window=0 icon=1", "plays=1 window=1 icon=0"},
        {"1", "plays=0 window=1 icon=0", nullptr},
        {"2", "plays=0 window=0 icon=1", "plays=0 window=1 icon=0"}};
    for (const auto &[taskLeft, afterLeft, afterRight] : rows) {
        TestEnvironment::resetAll();
        messages.install();
        SetRegString(HKEY_CURRENT_USER, SettingsKey, DownWin, "1");
        SetRegString(HKEY_CURRENT_USER, SettingsKey, TaskLCMenu, taskLeft);
        loadPlayer({makeFile("a.mp3")});
        QTest::mouseClick(main->FrontForm, Qt::LeftButton);
        auto *icon = list->findChild<QSystemTrayIcon *>("TasktrayImage");
        ASSERT_TRUE(icon && icon->isVisible() && !main->isVisible()) << taskLeft;
        ASSERT_TRUE(QTest::qWaitFor([] { return trayIconWidget() != nullptr; }, 5000));
        const auto press = [&](Qt::MouseButton button) {
            QTest::mousePress(trayIconWidget(), button);
            return QStringLiteral("plays=%1 window=%2 icon=%3")
                .arg(sys().PlayCommand == 2)
                .arg(main->isVisible())
                .arg(icon->isVisible());
        };
        EXPECT_EQ(press(Qt::LeftButton), afterLeft) << taskLeft;
        if (afterRight) {
            EXPECT_EQ(press(Qt::RightButton), afterRight) << taskLeft;
        }
    }
    trayHost.terminate();
    trayHost.waitForFinished();
}

// Through the X server, as a person clicks: each button opens the menu its setting names.
TEST_F(DesktopWindowTest, EachMouseButtonOnTheSetUpButtonOpensTheMenuItsSettingNames)
{
    // Setting, value, button as xdotool numbers them, menu ("": none).
    const std::tuple<QString, const char *, const char *, const char *> rows[] = {
        {LeftCMenu, "", "1", "ComMenu2"}, {RightCMenu, "", "3", "ComMenu"},
        {MiddleCMenu, "", "2", ""},       {LeftCMenu, "2", "1", ""},
        {LeftCMenu, "1", "1", "ComMenu"}, {MiddleCMenu, "0", "2", "ComMenu2"},
    };
    for (const auto &[setting, value, button, menu] : rows) {
        TestEnvironment::resetAll();
        messages.install();
        SetRegString(HKEY_CURRENT_USER, SettingsKey, setting, value);
        loadPlayer({});
        main->move(200, 150);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
        const QPoint centre = main->FolderSetup->mapToGlobal(main->FolderSetup->rect().center());
        QProcess::execute("xdotool", {"mousemove", QString::number(centre.x()), QString::number(centre.y()),
                                      "click", button});
        (void)QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; },
                              *menu ? 3000 : 1000);
        QWidget *shown = QApplication::activePopupWidget();
        EXPECT_EQ(shown ? shown->objectName() : QString(), menu) << setting.toStdString() << "=" << value;
        if (shown) {
            shown->close();
        }
        EXPECT_FALSE(main->FolderSetupPressed);
    }
}

TEST_F(DesktopWindowTest, ADoubleClickOnPlayIsOneClick)
{
    loadPlayer({makeFile("a.mp3"), makeFile("b.mp3")});
    main->move(200, 150);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
    QSignalSpy releases(main->MusicPlay, &ImageButton::released);
    const QPoint centre = main->MusicPlay->mapToGlobal(main->MusicPlay->rect().center());
    QProcess::execute("xdotool", {"mousemove", QString::number(centre.x()), QString::number(centre.y()),
                                  "click", "--repeat", "2", "--delay", "60", "1"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return releases.size() == 2; }, 5000));
    EXPECT_EQ(std::tuple(sys().PlayCommand, status(), opens()), std::tuple(2, QStringLiteral("Play."), 1))
        << "started, not paused at once";
}

// The real program, ended from outside while its exit question waits for an answer.
TEST_F(DesktopWindowTest, SigtermWhileTheExitQuestionWaitsEndsThePlayerInOrder)
{
    SetRegString(HKEY_LOCAL_MACHINE, InstallKey, Revision, QString::number(LYRA_VERSION_REVISION));
    SetRegString(HKEY_LOCAL_MACHINE, InstallKey, LastUP, QDate::currentDate().toString("yyyy/M/d"));
    SetRegString(HKEY_CURRENT_USER, SettingsKey, ListBackup, "active");
    const auto xdotool = [](const QString &command) {
        QProcess tool;
        tool.startCommand("xdotool search --onlyvisible --name " + command);
        tool.waitForFinished(5000);
        return QString::fromUtf8(tool.readAllStandardOutput());
    };
    QProcess player;
    player.start(LYRA_PLAYER_BINARY);
    // The main window alone: the splash has the same title.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const QString shown = xdotool("\"^Lyrabox 3$\" getwindowgeometry %@");
            return shown.count("Window") == 1 && shown.contains("Geometry: 255x109");
        },
        10000));
    xdotool("\"^Lyrabox 3$\" mousemove --window %1 240 8 click 1");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !xdotool("終了確認").isEmpty(); }, 5000));
    player.terminate();
    ASSERT_TRUE(player.waitForFinished(10000));
    EXPECT_EQ(std::tuple(player.exitStatus(), player.exitCode()), std::tuple(QProcess::NormalExit, 0));
    EXPECT_TRUE(QFileInfo::exists(platform::dataDir() + platform::currentUserName() + ".flblx3"));
}

// On a real X server, where the stacking order shows in the screen's pixels.
TEST_F(DesktopWindowTest, TopAndBottomRaiseAndLowerTheWindowUnderTheOthers)
{
    QWidget red;
    QWidget blue;
    for (auto [window, colour] : {std::pair{&red, Qt::red}, {&blue, Qt::blue}}) {
        window->setWindowFlag(Qt::FramelessWindowHint);
        window->setPalette(QPalette(colour));
        window->setAutoFillBackground(true);
        window->setGeometry(300, 300, 80, 80);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }
    const auto onTop = [] {
        return QGuiApplication::primaryScreen()->grabWindow(0, 340, 340, 1, 1).toImage().pixelColor(0, 0);
    };
    const std::tuple<QWidget *, std::int16_t, QColor> rows[] = {{&red, WindowTopModule::Top, Qt::red},
                                                                {&red, WindowTopModule::Bottom, Qt::blue},
                                                                {&blue, WindowTopModule::Bottom, Qt::red},
                                                                {&blue, WindowTopModule::Topmost, Qt::blue}};
    for (const auto &[window, mode, shown] : rows) {
        WindowTopModule::WindowTop(*window, mode);
        EXPECT_TRUE(QTest::qWaitFor([&] { return onTop() == shown; }, 5000)) << mode;
    }
}
