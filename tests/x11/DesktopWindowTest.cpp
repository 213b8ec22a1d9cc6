#include "BuildPaths.h"
#include "app/OptionForm.h"
#include "app/RegistryModule.h"
#include "folders/FolderForm.h"
#include "mainwindow/ImageButton.h"
#include "mainwindow/TrayIcon.h"
#include "mainwindow/WindowTopModule.h"
#include "platform/InstanceLock.h"
#include "platform/MessageBox.h"
#include "playback/PlayerFixture.h"
#include "x11/WindowManager.h"

#include <QApplication>
#include <QBitmap>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>
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
        SetUp();
        SetRegString(HKEY_CURRENT_USER, SettingsKey, DownWin, "1");
        SetRegString(HKEY_CURRENT_USER, SettingsKey, TaskLCMenu, taskLeft);
        loadPlayer({makeFile("a.mp3")});
        QTest::mouseClick(main->FrontForm, Qt::LeftButton);
        auto *icon = list->findChild<QSystemTrayIcon *>("TasktrayImage");
        ASSERT_TRUE(icon && icon->isVisible() && !main->isVisible()) << taskLeft;
        ASSERT_TRUE(QTest::qWaitFor([] { return trayIconWidget() != nullptr; }, 5000));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(trayIconWidget()));
        // Through the X server into the host's socket, as a person clicks.
        const auto click = [&](const char *button, const char *expected) {
            QProcess::execute("xdotool", {"mousemove", "--window", QString::number(trayIconWidget()->winId()),
                                          "4", "4", "click", button});
            const auto shown = [&] {
                return QStringLiteral("plays=%1 window=%2 icon=%3")
                    .arg(sys().PlayCommand == 2)
                    .arg(main->isVisible())
                    .arg(icon->isVisible());
            };
            (void)QTest::qWaitFor([&] { return shown() == expected; }, 3000);
            return shown();
        };
        EXPECT_EQ(click("1", afterLeft).toStdString(), afterLeft) << taskLeft;
        if (afterRight) {
            EXPECT_EQ(click("3", afterRight).toStdString(), afterRight) << taskLeft;
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

// Under a window manager, which keeps the stacking state of the window it manages.
TEST_F(DesktopWindowTest, StackingChangesKeepTheSameWindowUnderAWindowManager)
{
    WindowManager manager;
    ASSERT_TRUE(manager.start());
    loadPlayer({});
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
    const WId id = main->winId();
    ASSERT_TRUE(QTest::qWaitFor([&] { return WindowManager::keptAbove(id); }, 5000));
    const std::pair<std::int16_t, bool> rows[] = {{WindowTopModule::NotTopmost, false},
                                                  {WindowTopModule::Topmost, true},
                                                  {WindowTopModule::Bottom, false},
                                                  {WindowTopModule::Topmost, true}};
    for (const auto &[mode, above] : rows) {
        WindowTopModule::WindowTop(*main, mode);
        EXPECT_TRUE(QTest::qWaitFor([&] { return WindowManager::keptAbove(id) == above; }, 5000)) << mode;
        EXPECT_EQ(main->winId(), id) << mode << ": the window was made anew";
    }
}

// Under a window manager, with the main window kept on top in the middle of the screen: what the
// player opens shows above it, and so does the box of a second start, from another process.
TEST_F(DesktopWindowTest, EveryWindowAndBoxThePlayerOpensStaysAboveTheMainWindow)
{
    WindowManager manager;
    ASSERT_TRUE(manager.start());
    ASSERT_EQ(platform::programInstanceLock().acquire(), platform::InstanceLock::Result::Acquired);
    loadPlayer({});
    main->move(QGuiApplication::primaryScreen()->availableGeometry().center() - main->rect().center());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
    const auto stackedAboveMain = [&](WId window) {
        const auto order = WindowManager::property(WindowManager::root(), "_NET_CLIENT_LIST_STACKING");
        const auto at = [&](WId id) { return std::find(order.begin(), order.end(), id) - order.begin(); };
        return at(window) < qsizetype(order.size()) && at(window) > at(main->winId());
    };
    const auto staysAbove = [&](WId window) {
        return QTest::qWaitFor([&] { return stackedAboveMain(window); }, 5000);
    };
    list->PlayOption_Click();
    EXPECT_TRUE(staysAbove(FormRegistry::instance().find<OptionForm>()->winId())) << "options";
    FormRegistry::instance().unload<OptionForm>();
    list->FolderSetupMenu_Click();
    EXPECT_TRUE(staysAbove(FormRegistry::instance().find<FolderForm>()->winId())) << "set-up";
    FormRegistry::instance().unload<FolderForm>();

    platform::setMessageBoxHandler({});
    bool boxAbove = false;
    QTimer::singleShot(0, [&] {
        QWidget *box = QApplication::activeModalWidget();
        boxAbove = box != nullptr && staysAbove(box->winId());
        if (box) {
            box->close();
        }
    });
    platform::showMessage(list, {QStringLiteral("?"), QStringLiteral("box"), platform::MessageIcon::None,
                                 platform::MessageButtons::Ok});
    EXPECT_TRUE(boxAbove) << "message box";

    QProcess second;
    second.start(LYRA_PLAYER_BINARY);
    const auto secondsBox = [&] {
        for (const std::uint32_t id : WindowManager::property(WindowManager::root(), "_NET_CLIENT_LIST")) {
            if (WindowManager::property(id, "_NET_WM_PID") ==
                std::vector<std::uint32_t>{std::uint32_t(second.processId())}) {
                return WId(id);
            }
        }
        return WId(0);
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return secondsBox() != 0; }, 20000));
    EXPECT_TRUE(staysAbove(secondsBox())) << "second start";
    second.kill();
    second.waitForFinished();
    platform::programInstanceLock().release();
}
