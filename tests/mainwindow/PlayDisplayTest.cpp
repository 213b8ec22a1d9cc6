#include "folders/FolderForm.h"
#include "mainwindow/ImageButton.h"
#include "mainwindow/SkinWidgets.h"
#include "playback/TextColour.h"
#include "playlist/ListFile.h"
#include "support/PlayerFixture.h"

#include <QCoreApplication>
#include <QTimer>

namespace {

// What the main window shows while the play control works under it.
class PlayDisplayTest : public PlayerFixture {
protected:
    void tick() const { main->MusicTimer_Timer(); }
    void endAndTick() const
    {
        device->position = device->length;
        tick();
    }
};

} // namespace

TEST_F(PlayDisplayTest, PlayPauseResumeAndStopShowTheirStatusTitleTimesAndCounters)
{
    const QString first = makeFile(QStringLiteral("first song.mp3"));
    loadPlayer({first, makeFile(QStringLiteral("second.mp3"))});
    EXPECT_EQ(counter(), QStringLiteral("Rest : 2 / 2 Files"));
    const struct {
        bool stop; // the stop button, else the play button
        const char *shown;
        QColor colour;
        bool open; // the stop button and the timer; the time stays current while paused
    } rows[] = {
        {false, "Play. | Rest : 1 / 2 Files | 00:00:00 | / 00:03:25 | first song.mp3", StatusDarkGreen, true},
        {false, "Stop. | Rest : 1 / 2 Files | 00:00:00 | / 00:03:25 | first song.mp3", StatusDarkRed, true},
        {false, "Play. | Rest : 1 / 2 Files | 00:00:00 | / 00:03:25 | first song.mp3", StatusDarkGreen, true},
        {true, "Stop. | Rest : 1 / 2 Files | 00:00:00 | / 00:00:00 | ", StatusDarkRed, false},
    };
    for (const auto &row : rows) {
        row.stop ? main->MusicStop_Click() : main->MusicPlay_Click();
        EXPECT_EQ(shown(), QString::fromUtf8(row.shown));
        EXPECT_EQ(std::tuple(main->StatusLabel->palette().color(QPalette::WindowText),
                             main->MusicStop->isEnabled(), main->MusicTimer->isActive()),
                  std::tuple(row.colour, row.open, row.open));
        EXPECT_EQ(main->FileNameLabel->toolTip() + u' ' + list->NaviFile->text(),
                  first + QStringLiteral(" 1"));
    }
}

TEST_F(PlayDisplayTest, AClickWithoutPlayFoldersOffersTheSetUpAndADriveAwayIsNamed)
{
    loadPlayer({});
    main->MusicPlay_Click();
    ASSERT_EQ(messages.shown().size(), 1);
    const platform::MessageRequest &question = messages.shown().last();
    EXPECT_EQ(std::tuple(question.title + question.text, question.icon, question.buttons),
              std::tuple(QStringLiteral("Lyrabox 3再生するフォルダが登録されていません。\r\n"
                                        "フォルダリスト セットアップを開きますか？"),
                         platform::MessageIcon::Question, platform::MessageButtons::YesNo));
    EXPECT_EQ(FormRegistry::instance().find<FolderForm>(), nullptr) << "not without はい";
    EXPECT_EQ(status() + u' ' + counter(), QStringLiteral("Stop. Rest : 0 / 0 Files"));
    messages.answerWith(platform::MessageAnswer::Yes);
    main->MusicPlay_Click();
    EXPECT_TRUE(FormRegistry::instance().find<FolderForm>() && !main->isEnabled());
    FormRegistry::instance().unload<FolderForm>();
    main->setEnabled(true);

    const QString away = music.path() + QStringLiteral("/drive/Music/");
    list->PlayList->setStore(PathStore::fromStringList({away + "a.mp3"}));
    main->MusicPlay_Click();
    EXPECT_EQ(status() + u' ' + main->FileNameLabel->text(),
              "Stop. [ フォルダが見つかりません (ドライブが外れていませんか) : " + away + " ]");
}

TEST_F(PlayDisplayTest, TheModesMarksAndLampsFollowTheEndOfATrackAndCloseAfterItEndsTheProgram)
{
    loadPlayer({makeFile(QStringLiteral("a.mp3")), makeFile(QStringLiteral("b.mp3"))});
    list->OneMusicRepeat2->trigger();
    const auto marks = [this] {
        return QStringLiteral("%1%2")
            .arg(int(list->OneMusicRepeat->isChecked()))
            .arg(int(main->OneRepeatImg->isVisible()));
    };
    main->show();
    main->MusicPlay_Click();
    EXPECT_EQ(marks(), QStringLiteral("11"));
    endAndTick();
    EXPECT_EQ(marks() + u' ' + main->FileNameLabel->text(), QStringLiteral("00 a.mp3")) << "used up";

    list->ThisMusicExit->trigger();
    EXPECT_TRUE(main->ThisMusicExitImg->isVisible());
    endAndTick();
    EXPECT_EQ(FormRegistry::instance().loadedCount(), 0);
    EXPECT_TRUE(messages.shown().isEmpty());
    EXPECT_EQ(device->commands.last(), QStringLiteral("close MusicMedia"));
}

TEST_F(PlayDisplayTest, TheExitButtonAsksAndTheOpenTrackComesFirstInTheBackup)
{
    setSetting(RegistryModule::ListBackup, "active");
    const QString a = makeFile(QStringLiteral("a.mp3")), b = makeFile(QStringLiteral("b.mp3"));
    loadPlayer({a, b});
    main->MusicPlay_Click();
    messages.answerWith(platform::MessageAnswer::No);
    main->ExitProgram_Click();
    EXPECT_EQ(messages.shown().last().title + u'|' + messages.shown().last().text,
              QStringLiteral("終了確認|MIRAVELT Lyrabox 3 を終了します。\r\nよろしいですか？"));
    ASSERT_NE(FormRegistry::instance().find<MainForm>(), nullptr);
    messages.answerWith(platform::MessageAnswer::Yes);
    main->ExitProgram_Click();
    ASSERT_EQ(FormRegistry::instance().loadedCount(), 0) << "the play list window goes with it";
    EXPECT_EQ(ListFile::read(PlayListForm::listFilePath(".flblx3")).entries, QStringList({a, b}));
}

TEST_F(PlayDisplayTest,
       TicksShowTheTimeAndBarAndTheTimerSleepsUntilTheyChangeAndWhileHiddenTheEndNoticeWakesIt)
{
    loadPlayer({makeFile(QStringLiteral("a.mp3")), makeFile(QStringLiteral("b.mp3"))});
    device->length = 180000; // the bar's 169 pixels: one every 1065 ms
    sys().ElapsedDisplay = false;
    main->MusicPlay_Click();
    const auto interval = [this] { return main->MusicTimer->isActive() ? main->MusicTimer->interval() : 0; };
    const auto notice = [] { platform::postEndNotice(), QCoreApplication::processEvents(); };
    EXPECT_EQ(interval(), 100);
    EXPECT_EQ(main->NowTimeLabel->text(), QStringLiteral("00:03:00")) << "the whole track is left";
    const std::tuple<qint64, bool, const char *> times[] = {{1000, true, "00:00:01"},
                                                            {1000, false, "00:02:59"},
                                                            {3661000, true, "01:01:01"},
                                                            {119000, false, "00:01:01"}};
    for (const auto &[position, elapsed, time] : times) {
        device->position = position;
        sys().ElapsedDisplay = elapsed;
        tick();
        EXPECT_EQ(main->NowTimeLabel->text(), QString::fromLatin1(time)) << position;
    }
    EXPECT_EQ(main->TimeLine->width(), 111) << "119 of 180 seconds of 169 pixels";

    sys().ElapsedDisplay = true;
    const std::pair<qint64, int> rows[] = {{500, 500}, {500, 100}, {700, 300}, {1000, 100}, {1066, 1000}};
    for (const auto &[position, sleep] : rows) {
        device->position = position;
        tick();
        EXPECT_EQ(interval(), sleep) << position << " (a standing position is watched tick by tick)";
    }
    notice();
    EXPECT_EQ(interval(), 100) << "an end notice brings the ticks back";

    main->show();
    main->hide();
    EXPECT_EQ(interval(), 0) << "hidden: no timer";
    notice();
    EXPECT_EQ(interval(), 100);
    endAndTick();
    EXPECT_EQ(main->FileNameLabel->text(), QStringLiteral("b.mp3"));
    tick();
    EXPECT_EQ(interval(), 0) << "the next track plays on without ticks";
    main->show();
    EXPECT_EQ(interval(), 100);
}
