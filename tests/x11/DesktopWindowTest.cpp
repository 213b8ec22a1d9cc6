#include "app/RegistryModule.h"
#include "mainwindow/ImageButton.h"
#include "mainwindow/TrayIcon.h"
#include "mainwindow/WindowTopModule.h"
#include "playback/PlayerFixture.h"

#include <QApplication>
#include <QMenu>
#include <QProcess>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTest>

using namespace RegistryModule;

namespace {

class DesktopWindowTest : public PlayerFixture {
protected:
    void TearDown() override
    {
        PlayerFixture::TearDown();
        if (trayHost.state() != QProcess::NotRunning) {
            trayHost.terminate();
            trayHost.waitForFinished(5000);
        }
    }

    bool startTrayHost()
    {
        trayHost.start(QStringLiteral("trayer"), {QStringLiteral("--edge"), QStringLiteral("bottom")});
        return QTest::qWaitFor([] { return TrayIcon::available(); }, 10000);
    }

    static QWidget *trayIconWidget()
    {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (qstrcmp(w->metaObject()->className(), "QSystemTrayIconSys") == 0 && w->isVisible()) {
                return w;
            }
        }
        return nullptr;
    }

    QProcess trayHost;
};

QRect opaqueBox(const QImage &skin)
{
    QRect box;
    for (int y = 0; y < skin.height(); ++y) {
        for (int x = 0; x < skin.width(); ++x) {
            if (skin.pixel(x, y) != skin.pixel(0, 0)) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
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
    tool.start(QStringLiteral(LYRA_SCREENSHOT_BINARY), {shot, QStringLiteral("0"), QStringLiteral("--crop")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return tool.state() == QProcess::NotRunning; }, 20000));
    ASSERT_EQ(tool.exitCode(), 0);

    const QImage image = QImage(shot).convertToFormat(QImage::Format_RGB32);
    const QImage skin = QImage(QStringLiteral(":/artwork/skin.png")).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(image.size(), opaqueBox(skin).size()) << "only the window's outline differs from the root";
    const QRgb root = qRgb(255, 255, 255);
    const int r = image.width() - 1;
    const int b = image.height() - 1;
    for (const QPoint corner : {QPoint(0, 0), QPoint(r, 0), QPoint(0, b), QPoint(r, b)}) {
        EXPECT_EQ(image.pixel(corner), root) << corner.x() << "," << corner.y();
    }
    EXPECT_NE(image.pixel(image.width() / 2, image.height() / 2), root);
}

TEST_F(DesktopWindowTest, TheTrayIconActsByItsSettingAndTheRightPressAlwaysRestores)
{
    ASSERT_TRUE(startTrayHost());
    const struct {
        const char *taskLeft;
        bool leftPlays;
        bool leftRestores;
    } rows[] = {{"0", true, false}, {"1", false, true}, {"2", false, false}};
    for (const auto &row : rows) {
        TestEnvironment::resetAll();
        messages.install();
        SetRegString(HKEY_CURRENT_USER, SettingsKey, DownWin, QStringLiteral("1"));
        SetRegString(HKEY_CURRENT_USER, SettingsKey, TaskLCMenu, QString::fromLatin1(row.taskLeft));
        loadPlayer({makeFile(QStringLiteral("a.mp3"))});
        QTest::mouseClick(main->FrontForm, Qt::LeftButton);
        EXPECT_FALSE(main->isVisible()) << row.taskLeft;
        auto *icon = list->findChild<QSystemTrayIcon *>(QStringLiteral("TasktrayImage"));
        ASSERT_TRUE(icon && icon->isVisible());
        EXPECT_EQ(icon->toolTip(), QStringLiteral("MIRAVELT Lyrabox 3"));
        ASSERT_TRUE(QTest::qWaitFor([] { return trayIconWidget() != nullptr; }, 5000));

        QTest::mousePress(trayIconWidget(), Qt::LeftButton);
        EXPECT_EQ(sys().PlayCommand == 2, row.leftPlays) << row.taskLeft;
        EXPECT_EQ(main->isVisible(), row.leftRestores) << row.taskLeft;
        EXPECT_EQ(icon->isVisible(), !row.leftRestores) << row.taskLeft;
        if (!row.leftRestores) {
            QTest::mousePress(trayIconWidget(), Qt::RightButton);
            EXPECT_TRUE(main->isVisible() && !icon->isVisible()) << row.taskLeft;
        }
    }
}

// Through the X server, as a person clicks: each button opens the menu its setting names.
TEST_F(DesktopWindowTest, EachMouseButtonOnTheSetUpButtonOpensTheMenuItsSettingNames)
{
    const struct {
        QString setting;
        const char *value;
        const char *button; // as xdotool numbers them
        const char *menu;   // nullptr: none
    } rows[] = {
        {LeftCMenu, "", "1", "ComMenu2"}, {RightCMenu, "", "3", "ComMenu"},
        {MiddleCMenu, "", "2", nullptr},  {LeftCMenu, "2", "1", nullptr},
        {LeftCMenu, "1", "1", "ComMenu"}, {MiddleCMenu, "0", "2", "ComMenu2"},
    };
    for (const auto &row : rows) {
        TestEnvironment::resetAll();
        messages.install();
        SetRegString(HKEY_CURRENT_USER, SettingsKey, row.setting, QString::fromLatin1(row.value));
        loadPlayer({});
        main->move(200, 150);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
        const QPoint centre = main->FolderSetup->mapToGlobal(main->FolderSetup->rect().center());
        QProcess::execute(QStringLiteral("xdotool"),
                          {QStringLiteral("mousemove"), QString::number(centre.x()),
                           QString::number(centre.y()), QStringLiteral("click"),
                           QString::fromLatin1(row.button)});
        (void)QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; },
                              row.menu ? 3000 : 1000);
        QWidget *shown = QApplication::activePopupWidget();
        EXPECT_EQ(shown ? shown->objectName() : QString(), QString::fromLatin1(row.menu ? row.menu : ""))
            << row.setting.toStdString() << "=" << row.value;
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
        QTest::qWait(200);
        return QGuiApplication::primaryScreen()->grabWindow(0, 340, 340, 1, 1).toImage().pixelColor(0, 0);
    };
    const struct {
        QWidget *window;
        std::int16_t mode;
        QColor shown;
    } rows[] = {{&red, WindowTopModule::Top, Qt::red},
                {&red, WindowTopModule::Bottom, Qt::blue},
                {&blue, WindowTopModule::Bottom, Qt::red},
                {&blue, WindowTopModule::Topmost, Qt::blue}};
    for (const auto &row : rows) {
        WindowTopModule::WindowTop(*row.window, row.mode);
        EXPECT_EQ(onTop(), row.shown) << row.mode;
    }
}
