#include "app/OpenForm.h"
#include "app/OptionForm.h"
#include "folders/FolderForm.h"
#include "help/QuickHelpForm.h"
#include "mainwindow/ImageButton.h"
#include "mainwindow/WindowTopModule.h"
#include "platform/InstanceLock.h"
#include "platform/Paths.h"
#include "platform/TrayIcon.h"
#include "platform/UserName.h"
#include "support/PlayerFixture.h"
#include "x11/PlayerProgram.h"
#include "x11/WindowManager.h"

#include <QApplication>
#include <QBitmap>
#include <QDBusInterface>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QHelpEvent>
#include <QScreen>
#include <QSignalSpy>
#include <QSystemTrayIcon>
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

QStringList filesUnder(const QStringList &dirs)
{
    QStringList files;
    for (const QString &dir : dirs) {
        for (QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
            files << it.next();
        }
    }
    files.sort();
    return files;
}

} // namespace

// The real program, and a start in this process while it runs.
TEST_F(DesktopWindowTest,
       ASecondInstanceIsRefusedTouchesNoFileAndSigtermEndsTheFirstEvenWhenAListCannotBeSaved)
{
    markStartedBefore();
    // A folder where the folder list file should be: that save fails, the wait list's does not.
    const QString lists = platform::dataDir() + platform::currentUserName();
    QDir().mkpath(lists + ".fllx3/x");
    QProcess first;
    first.start(LYRA_PLAYER_BINARY);
    ASSERT_TRUE(mainWindowShown(first, 20000));
    const QStringList folders = {TestEnvironment::configHome(), TestEnvironment::dataHome()};
    const QStringList before = filesUnder(folders);

    FormRegistry::instance().load<OpenForm>();
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown()[0].title + messages.shown()[0].text,
              "多重起動エラーLyrabox 3 は、すでに起動しています。\r\n");
    EXPECT_EQ(FormRegistry::instance().find<PlayListForm>(), nullptr);
    EXPECT_EQ(filesUnder(folders), before);

    first.terminate();
    ASSERT_TRUE(first.waitForFinished(10000)) << "no box waits for a click on the way out";
    EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
    EXPECT_TRUE(QString::fromUtf8(first.readAllStandardError()).contains("保存エラー"));
    EXPECT_TRUE(QFileInfo::exists(lists + ".fwllx3")) << "the other list was saved on the way out";

    // With the first one gone, its lock no longer blocks.
    FormRegistry::instance().load<OpenForm>();
    EXPECT_NE(FormRegistry::instance().find<MainForm>(), nullptr);
}

TEST_F(DesktopWindowTest, TheScreenShowsTheRootAtTheMainWindowsCornersAndEachStepOfTheTitleAtOnce)
{
    loadPlayer({});
    main->move(200, 150);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
    const QImage skin = QImage(QStringLiteral(":/artwork/skin.png")).convertToFormat(QImage::Format_RGB32);
    const QRegion opaque(QBitmap::fromImage(skin.createMaskFromColor(skin.pixel(0, 0), Qt::MaskOutColor)));
    // The box of what differs from the root, as the screenshot tool cuts it, once painted.
    const QString shot = music.filePath(QStringLiteral("main.png"));
    QImage image;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            QProcess tool;
            tool.start(LYRA_SCREENSHOT_BINARY, {shot, "0", "--crop"});
            (void)QTest::qWaitFor([&] { return tool.state() == QProcess::NotRunning; }, 20000);
            image = QImage(shot).convertToFormat(QImage::Format_RGB32);
            return tool.exitCode() == 0 && image.size() == opaque.boundingRect().size();
        },
        10000))
        << "only the window's outline differs from the root";
    const QRect box = image.rect();
    for (const QPoint at : {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()}) {
        EXPECT_EQ(image.pixel(at), qRgb(255, 255, 255)) << at.x() << "," << at.y() << ": the root shows";
    }
    EXPECT_NE(image.pixel(box.center()), qRgb(255, 255, 255));

    // Each step of the title reaches the screen at once, as the box paints it.
    const QRect title(main->TitleBox->mapToGlobal(QPoint(0, 0)), main->TitleBox->size());
    const auto onScreen = [&] {
        return QGuiApplication::primaryScreen()
            ->grabWindow(0, title.x(), title.y(), title.width(), title.height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    };
    const auto painted = [&] {
        return main->TitleBox->grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    main->setTitle(
        QStringLiteral("とても長いタイトルの曲 - Extended Live Version at the Hall (Remastered).mp3"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return onScreen() == painted(); }, 5000)) << "at rest";
    const QImage atRest = onScreen();
    for (const int ticks : {17, 1, 2, 30}) {
        for (int i = 0; i < ticks; ++i) {
            main->TitleTimer_Timer(); // with no event handled in between
        }
        const QImage now = onScreen();
        EXPECT_NE(now, atRest) << main->FileNameLabel->x();
        EXPECT_EQ(now, painted()) << main->FileNameLabel->x();
    }
}

TEST_F(DesktopWindowTest, TheTrayIconActsByItsSettingAndTheRightPressAlwaysRestores)
{
    ChildProcess trayHost;
    trayHost.start("trayer", {"--edge", "bottom"});
    ASSERT_TRUE(QTest::qWaitFor([] { return TrayIcon::available(); }, 10000));
    // What a left press on the icon did, then a right press when the window is still hidden.
    const std::tuple<const char *, const char *, const char *> rows[] = {
        {"0", "plays=1 window=0 icon=1", "plays=1 window=1 icon=0"},
        {"", "plays=0 window=1 icon=0", nullptr}, // as if 1
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
                    .arg(playing())
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
}

// Through the X server, as a person clicks.
TEST_F(DesktopWindowTest,
       EachMouseButtonOnTheSetUpButtonOpensTheMenuItsSettingNamesAndADoubleClickOnPlayIsOneClick)
{
    const auto placed = [&](const QStringList &files) {
        loadPlayer(files);
        main->move(200, 150);
        return QTest::qWaitForWindowExposed(main);
    };
    // Waits until the button has seen as many releases as the clicks; a menu opens as the
    // button is let go, before this learns of it.
    const auto click = [](ImageButton *button, const QStringList &how, int releases) {
        QSignalSpy released(button, &ImageButton::released);
        const QPoint centre = button->mapToGlobal(button->rect().center());
        const QStringList at{"mousemove", QString::number(centre.x()), QString::number(centre.y()), "click"};
        QProcess::execute("xdotool", at + how);
        return QTest::qWaitFor([&] { return released.size() == releases; }, 5000);
    };
    // Setting, value, button as xdotool numbers them, menu ("": none).
    const std::tuple<QString, const char *, const char *, const char *> rows[] = {
        {LeftCMenu, "", "1", "ComMenu2"}, {RightCMenu, "", "3", "ComMenu"},
        {MiddleCMenu, "", "2", ""},       {LeftCMenu, "2", "1", ""},
        {LeftCMenu, "1", "1", "ComMenu"}, {MiddleCMenu, "0", "2", "ComMenu2"},
        {RightCMenu, "2", "3", ""},
    };
    for (const auto &[setting, value, button, menu] : rows) {
        SetUp();
        SetRegString(HKEY_CURRENT_USER, SettingsKey, setting, value);
        ASSERT_TRUE(placed({}));
        ASSERT_TRUE(click(main->FolderSetup, {button}, 1));
        QWidget *shown = QApplication::activePopupWidget();
        EXPECT_EQ((shown ? shown->objectName() : QString()).toStdString(), menu)
            << setting.toStdString() << "=" << value;
        if (shown) {
            shown->close();
        }
        EXPECT_FALSE(main->FolderSetup->isPressed());
    }

    SetUp();
    ASSERT_TRUE(placed({makeFile("a.mp3"), makeFile("b.mp3")}));
    ASSERT_TRUE(click(main->MusicPlay, {"--repeat", "2", "--delay", "60", "1"}, 2));
    EXPECT_EQ(std::tuple(playing(), status(), opens()), std::tuple(true, QStringLiteral("Play."), 1))
        << "started, not paused at once";
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

// Stacking changes keep the window; what the player opens and a second start's box show above it
// when it is kept on top; a set-up window's help panel at the screen's right edge stands at its left.
TEST_F(DesktopWindowTest, UnderAWindowManagerTheMainWindowStaysOneWindowAndCoversNothingOfTheOthers)
{
    WindowManager manager;
    ASSERT_TRUE(manager.start());
    ASSERT_EQ(platform::programInstanceLock().acquire(), platform::InstanceLock::Result::Acquired);
    loadPlayer({});
    main->move(QGuiApplication::primaryScreen()->availableGeometry().center() - main->rect().center());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
    const WId id = main->winId();
    for (const std::int16_t mode : {WindowTopModule::NotTopmost, WindowTopModule::Topmost,
                                    WindowTopModule::Bottom, WindowTopModule::Topmost}) {
        WindowTopModule::WindowTop(*main, mode);
        const bool above = mode == WindowTopModule::Topmost;
        EXPECT_TRUE(QTest::qWaitFor([&] { return WindowManager::keptAbove(id) == above; }, 5000)) << mode;
        EXPECT_EQ(main->winId(), id) << mode << ": the window was made anew";
    }

    const auto staysAbove = [&](WId window) {
        return QTest::qWaitFor(
            [&] {
                const auto order =
                    WindowManager::property(WindowManager::root(), "_NET_CLIENT_LIST_STACKING");
                const auto at = [&](WId w) {
                    return std::find(order.begin(), order.end(), w) - order.begin();
                };
                return at(window) < qsizetype(order.size()) && at(window) > at(id);
            },
            5000);
    };
    list->PlayOption_Click();
    EXPECT_TRUE(staysAbove(FormRegistry::instance().find<OptionForm>()->winId())) << "options";
    FormRegistry::instance().unload<OptionForm>();
    platform::setMessageBoxHandler({});
    QTimer::singleShot(0, [&] {
        QWidget *box = QApplication::activeModalWidget();
        EXPECT_TRUE(box && staysAbove(box->winId())) << "message box";
        if (box) {
            box->close();
        }
    });
    platform::showMessage(list, {"?", "box", platform::MessageIcon::None, platform::MessageButtons::Ok});
    QProcess second;
    second.start(LYRA_PLAYER_BINARY);
    WId box = 0;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            for (const std::uint32_t window :
                 WindowManager::property(WindowManager::root(), "_NET_CLIENT_LIST")) {
                if (WindowManager::property(window, "_NET_WM_PID") ==
                    std::vector{std::uint32_t(second.processId())}) {
                    box = window;
                }
            }
            return box != 0;
        },
        20000));
    EXPECT_TRUE(staysAbove(box)) << "second start";
    EXPECT_EQ(xdotool(QStringLiteral("getwindowname %1").arg(box)).trimmed(), "多重起動エラー — Lyrabox 3");
    // The refused start sits in its box until SIGTERM ends it.
    second.terminate();
    EXPECT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(std::tuple(second.exitStatus(), second.exitCode()), std::tuple(QProcess::NormalExit, 0));

    list->FolderSetupMenu_Click();
    FolderForm &setup = *FormRegistry::instance().find<FolderForm>();
    EXPECT_TRUE(staysAbove(setup.winId())) << "set-up";
    const QRect screen = setup.screen()->availableGeometry();
    setup.move(screen.right() - setup.frameGeometry().width() - 10, 100);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&setup));
    setup.PSHelp->click();
    const auto *panel = FormRegistry::instance().find<QuickHelpForm>();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            const QRect frame = panel->frameGeometry();
            return screen.contains(frame) && frame.x() + frame.width() == setup.frameGeometry().x();
        },
        5000))
        << panel->frameGeometry().x() << " beside " << setup.frameGeometry().x();
}

// A status notifier host on a private session bus, as KDE, GNOME's AppIndicator and most panels
// are. The widget library decides once per process which tray it uses: this needs its own.
TEST_F(DesktopWindowTest, AStatusNotifierHostActsLikeTheTrayAndADoubleClickIsOneClick)
{
    const auto *run = ::testing::UnitTest::GetInstance();
    // This test counts as passed so far.
    if (run->successful_test_count() + run->failed_test_count() + run->skipped_test_count() > 1) {
        GTEST_SKIP() << "needs a process of its own, as ctest runs it";
    }
    ChildProcess bus;
    bus.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    ASSERT_TRUE(bus.waitForReadyRead(10000));
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus.readLine().trimmed());
    qputenv("NO_AT_BRIDGE", "1"); // no accessibility bus that would outlive the test
    QProcess host;
    const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
    const auto registered = [&] {
        return QDBusInterface(watcher, "/StatusNotifierWatcher", watcher)
            .property("IsStatusNotifierHostRegistered")
            .toBool();
    };
    // The host sometimes asks the bus for its own watcher before it is there, and quits.
    for (int tries = 0; tries < 3 && !registered(); ++tries) {
        host.start("gtk-sni-tray-standalone", {"--watcher", "--bottom", "--beginning"});
        (void)QTest::qWaitFor([&] { return registered() || host.state() == QProcess::NotRunning; }, 20000);
    }
    ASSERT_TRUE(registered()) << host.readAllStandardError().toStdString();
    ASSERT_TRUE(TrayIcon::available());

    SetRegString(HKEY_CURRENT_USER, SettingsKey, DownWin, "1");
    SetRegString(HKEY_CURRENT_USER, SettingsKey, TaskLCMenu, "0");
    loadPlayer({makeFile("a.mp3"), makeFile("b.mp3")});
    QTest::mouseClick(main->FrontForm, Qt::LeftButton);
    ASSERT_FALSE(main->isVisible());
    // The host draws the icon at the start of its bar, at the bottom of the screen.
    const QRect bar = QGuiApplication::primaryScreen()->geometry().adjusted(0, 738, 0, 0);
    const auto pixel = [&](int x) {
        return QGuiApplication::primaryScreen()->grabWindow(0, x, bar.y() + 15, 1, 1).toImage().pixel(0, 0);
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return pixel(15) != pixel(500); }, 20000));
    QElapsedTimer lastClick;
    lastClick.start();
    const auto click = [&](const QStringList &how) {
        // One click is not the second of a double click.
        (void)QTest::qWaitFor([&] { return lastClick.elapsed() > QApplication::doubleClickInterval(); });
        QProcess::execute("xdotool",
                          QStringList{"mousemove", "15", QString::number(bar.y() + 15), "click"} + how);
        lastClick.start();
    };
    click({"1"});
    EXPECT_TRUE(QTest::qWaitFor(playing, 5000)) << "a left click plays";
    click({"--repeat", "2", "--delay", "80", "1"});
    click({"3"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return main->isVisible(); }, 5000)) << "a right click leaves the tray";
    EXPECT_EQ(std::tuple(opens(), playing(), list->findChild<QSystemTrayIcon *>()->isVisible()),
              std::tuple(1, false, false))
        << "the double click stopped it once";
    host.terminate();
    host.waitForFinished();

    // With the host gone there is no tray: the button sends the window back, never hides it.
    ASSERT_TRUE(QTest::qWaitFor([] { return !TrayIcon::available(); }, 5000));
    list->WindowTopup->trigger();
    const QPoint button = main->FrontForm->mapToGlobal(main->FrontForm->rect().center());
    QProcess::execute("xdotool",
                      {"mousemove", QString::number(button.x()), QString::number(button.y()), "click", "1"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !list->WindowTopup->isChecked(); }, 5000));
    QHelpEvent tip(QEvent::ToolTip, {}, button);
    QApplication::sendEvent(main->FrontForm, &tip);
    EXPECT_EQ(std::pair(main->isVisible(), main->FrontForm->toolTip()),
              std::pair(true, QString("ウィンドウ最背面化")));
}
