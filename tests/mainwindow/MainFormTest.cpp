#include "app/RegistryModule.h"
#include "mainwindow/ImageButton.h"
#include "mainwindow/SkinWidgets.h"
#include "playback/PlayerFixture.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>

using namespace RegistryModule;

namespace {

class MainFormTest : public PlayerFixture {
protected:
    static void set(const QString &name, const QString &value)
    {
        SetRegString(HKEY_CURRENT_USER, SettingsKey, name, value);
    }
};

} // namespace

TEST_F(MainFormTest, LoadAppliesEverySetting)
{
    const struct {
        QList<std::pair<QString, QString>> settings;
        std::array<int, 4> menus; // left, right, middle, tray left
        int downWin;
        const char *frontTip;
        bool coverShown;
        bool autostartLamp;
    } rows[] = {
        {{}, {0, 1, 2, 1}, 0, "ウィンドウ最背面化", true, false},
        {{{LeftCMenu, "1"},
          {RightCMenu, "2"},
          {MiddleCMenu, "0"},
          {TaskLCMenu, "0"},
          {DownWin, "1"},
          {RegistryModule::InfoCover, "on"},
          {RunValue, "/usr/bin/lyrabox3"}},
         {1, 2, 0, 0},
         1,
         "タスクトレイ常駐化",
         false,
         true},
    };
    for (const auto &row : rows) {
        TestEnvironment::resetAll();
        messages.install();
        for (const auto &[name, value] : row.settings) {
            SetRegString(HKEY_CURRENT_USER, name == RunValue ? RunKey : SettingsKey, name, value);
        }
        loadPlayer({});
        const std::array<int, 4> menus{sys().LeftClickMenu, sys().RightClickMenu, sys().MiddleClickMenu,
                                       sys().TaskLeftClickMenu};
        EXPECT_EQ(menus, row.menus);
        EXPECT_EQ(sys().DownWinMode, row.downWin);
        EXPECT_EQ(main->FrontForm->toolTip(), QString::fromUtf8(row.frontTip));
        EXPECT_EQ(main->InfoCover->isVisible(), row.coverShown);
        EXPECT_EQ(main->WAWImg->isVisible(), row.autostartLamp);
        EXPECT_TRUE(main->isVisible() && sys().MainFormLoaded);
        EXPECT_TRUE(messages.shown().isEmpty()) << "the outline is cut without a failure";
    }
}

TEST_F(MainFormTest, PressMoveOffAndReleaseGivesNoClickAndNormalPictures)
{
    loadPlayer({makeFile(QStringLiteral("a.mp3"))});
    ImageButton *play = main->MusicPlay;
    QTest::mouseMove(play, QPoint(20, 20));
    EXPECT_EQ(play->shownPicture(), ImageButton::In);
    QTest::mousePress(play, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(play->shownPicture(), ImageButton::Down);
    EXPECT_TRUE(main->PlayPressed);
    QTest::mouseMove(play, QPoint(120, 20)); // held: off the button onto the background
    EXPECT_EQ(play->shownPicture(), ImageButton::Down);
    QTest::mouseRelease(play, Qt::LeftButton, {}, QPoint(120, 20));
    EXPECT_FALSE(main->PlayPressed);
    EXPECT_TRUE(device->commands.isEmpty()) << "no click";
    QTest::mouseMove(main, QPoint(120, 90));
    for (ImageButton *b : {main->MusicPlay, main->MusicStop, main->FolderSetup}) {
        EXPECT_EQ(b->shownPicture(), ImageButton::Out) << b->objectName().toStdString();
    }
}

TEST_F(MainFormTest, LeftPressOnLabelsAndLampsDragsTheWindowOtherButtonsDoNot)
{
    loadPlayer({});
    const struct {
        QWidget *handle;
        Qt::MouseButton button;
        QPoint moved;
    } rows[] = {
        {main->NowTimeLabel, Qt::LeftButton, {30, 20}},
        {main->FileNameLabel, Qt::LeftButton, {30, 20}},
        {main->InfoCover, Qt::LeftButton, {30, 20}},
        {main->StatusLabel, Qt::RightButton, {0, 0}},
    };
    for (const auto &row : rows) {
        main->move(100, 100);
        QTest::mousePress(row.handle, row.button, {}, QPoint(2, 2));
        QTest::mouseMove(row.handle, QPoint(32, 22));
        QTest::mouseRelease(row.handle, row.button, {}, QPoint(32, 22));
        EXPECT_EQ(main->pos(), QPoint(100, 100) + row.moved) << row.handle->objectName().toStdString();
    }
}

TEST_F(MainFormTest, FrontFormSendsBackEndingAlwaysOnTopAndNeverHidesWithoutATray)
{
    loadPlayer({});
    list->WindowTopup->setChecked(true);
    list->WindowTopup2->setChecked(true);
    main->WindowTopupImg->show();
    main->FrontForm_Click();
    EXPECT_FALSE(main->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(list->WindowTopup->isChecked() || list->WindowTopup2->isChecked());
    EXPECT_FALSE(main->WindowTopupImg->isVisible());
    EXPECT_TRUE(main->isVisible());

    sys().DownWinMode = 1; // the tray, on a desktop that has none
    QTest::mouseClick(main->FrontForm, Qt::LeftButton);
    EXPECT_TRUE(main->isVisible());
}
