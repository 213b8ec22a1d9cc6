#include "mainwindow/ImageButton.h"
#include "mainwindow/SkinWidgets.h"
#include "playback/PlayController.h"
#include "support/PlayerFixture.h"

using namespace RegistryModule;

using MainFormTest = PlayerFixture;

TEST_F(MainFormTest, LoadAppliesEverySetting)
{
    // The mouse buttons' menus are read as they are clicked, on a real X server.
    const QList<std::pair<QString, QString>> changed = {{DownWin, "1"},
                                                        {RegistryModule::InfoCover, "on"},
                                                        {RunValue, "/usr/bin/lyrabox3"},
                                                        {AutoPlay, "play"}};
    const struct {
        QList<std::pair<QString, QString>> settings;
        const char *frontTip;
        bool coverShown, autostartLamp, autoPlay;
    } rows[] = {
        {{}, "ウィンドウ最背面化", true, false, false},
        {changed, "タスクトレイ常駐化", false, true, true},
    };
    for (const auto &row : rows) {
        SetUp();
        for (const auto &[name, value] : row.settings) {
            SetRegString(HKEY_CURRENT_USER, name == RunValue ? RunKey : SettingsKey, name, value);
        }
        const QString song = makeFile(QStringLiteral("a.mp3"));
        loadPlayer({song});
        EXPECT_EQ(main->FrontForm->toolTip(), QString::fromUtf8(row.frontTip));
        EXPECT_EQ(std::tuple(main->InfoCover->isVisible(), main->WAWImg->isVisible(), main->isVisible(),
                             main->MainFormLoaded()),
                  std::tuple(row.coverShown, row.autostartLamp, true, true));
        EXPECT_EQ(std::tuple(PlayController::instance().MusicFileName(), main->StatusLabel->text(),
                             main->WAPImg->isVisible()),
                  row.autoPlay ? std::tuple(song, QStringLiteral("Play."), true)
                               : std::tuple(QString(), QStringLiteral("Stop."), false));
        EXPECT_TRUE(messages.shown().isEmpty()) << "the outline is cut without a failure";
    }
    // Six-digit counts fit the counter at 100 % and 200 %, within the panel's top row.
    const QLabel *counter = main->FileStatusLabel;
    for (const int scale : {1, 2}) {
        QFont font = counter->font();
        font.setPixelSize(font.pixelSize() * scale);
        EXPECT_LE(QFontMetrics(font).horizontalAdvance(QStringLiteral("Rest : 100000 / 100000 Files")),
                  counter->width() * scale)
            << scale;
    }
    EXPECT_LE(counter->geometry().right(), 206);
}

TEST_F(MainFormTest, PressMoveOffAndReleaseGivesNoClickAndLabelsDragTheWindow)
{
    loadPlayer({makeFile(QStringLiteral("a.mp3"))});
    ImageButton *play = main->MusicPlay;
    QTest::mouseMove(main->FolderSetup, QPoint(5, 5));
    QTest::mouseMove(play, QPoint(20, 20)); // straight from one button to the next
    EXPECT_EQ(std::tuple(play->shownPicture(), main->FolderSetup->shownPicture()),
              std::tuple(ImageButton::In, ImageButton::Out));
    QTest::mousePress(play, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(std::tuple(play->shownPicture(), play->isPressed()), std::tuple(ImageButton::Down, true));
    QTest::mouseMove(play, QPoint(120, 20)); // held: off the button onto the background
    EXPECT_EQ(play->shownPicture(), ImageButton::Down);
    QTest::mouseRelease(play, Qt::LeftButton, {}, QPoint(120, 20));
    EXPECT_FALSE(play->isPressed() || !device->commands.isEmpty()) << "no click";
    QTest::mouseMove(main, QPoint(120, 90));
    for (ImageButton *b : {main->MusicPlay, main->MusicStop, main->FolderSetup}) {
        EXPECT_EQ(b->shownPicture(), ImageButton::Out) << b->objectName().toStdString();
    }

    // A left press on labels and lamps drags the window; other buttons do not.
    const std::pair<QWidget *, Qt::MouseButton> rows[] = {{main->NowTimeLabel, Qt::LeftButton},
                                                          {main->FileNameLabel, Qt::LeftButton},
                                                          {main->InfoCover, Qt::LeftButton},
                                                          {main->StatusLabel, Qt::RightButton}};
    for (const auto &[handle, button] : rows) {
        main->move(100, 100);
        QTest::mousePress(handle, button, {}, QPoint(2, 2));
        QTest::mouseMove(handle, QPoint(32, 22));
        QTest::mouseRelease(handle, button, {}, QPoint(32, 22));
        EXPECT_EQ(main->pos(), button == Qt::LeftButton ? QPoint(130, 120) : QPoint(100, 100))
            << handle->objectName().toStdString();
    }
}
