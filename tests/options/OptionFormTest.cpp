#include "app/OptionForm.h"
#include "core/AutostartEntry.h"
#include "mainwindow/ImageButton.h"
#include "mainwindow/SkinWidgets.h"
#include "platform/Paths.h"
#include "playback/TrackLoudness.h"
#include "support/PlayerFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QListWidget>

using namespace RegistryModule;

namespace {

class OptionFormTest : public PlayerWindowsFixture {
protected:
    OptionForm &open()
    {
        list->PlayOption_Click();
        return *FormRegistry::instance().find<OptionForm>();
    }
    static void press(QPushButton *button)
    {
        button->click();
        TestEnvironment::flushEvents();
        EXPECT_EQ(FormRegistry::instance().find<OptionForm>(), nullptr);
    }
    static QString setting(const QString &name) { return GetRegString(HKEY_CURRENT_USER, SettingsKey, name); }
    static QString stored() { return QString::fromUtf8(readFile(backingFile(HKEY_CURRENT_USER))); }
};

} // namespace

TEST_F(OptionFormTest, OkWritesEveryValueAndTheRecommendedButtonsThenCancelWriteNothing)
{
    setSetting(RightCMenu, QStringLiteral("2"));
    setSetting(DColor, QStringLiteral("4227327")); // a colour of its own, not in the list
    sys().TaskLeftClickMenu = 1;
    press(open().ExitFolderSetup);
    const QString afterOk = stored();
    EXPECT_EQ(setting(DColor), "4227327");
    EXPECT_EQ(main->NowTimeLabel->palette().color(QPalette::WindowText), QColor(255, 128, 64));
    for (const char *name : {"MFPattern1", "MFPattern7", "DColor", "TitleScroll", "TitleToolTip", "AutoPlay",
                             "ListBackup", "PlayEndMode", "TrackNotice", "InfoCover", "EvenLoudness",
                             "LeftCMenu", "RightCMenu", "MiddleCMenu", "TaskLCMenu", "DownWin"}) {
        EXPECT_TRUE(afterOk.contains(name + QStringLiteral("="))) << name;
    }
    EXPECT_EQ(setting(TaskLCMenu) + setting(RightCMenu) + setting(MiddleCMenu), "022");
    EXPECT_EQ(sys().TaskLeftClickMenu, 0);
    EXPECT_EQ(
        list->MusicFilePattern,
        QStringLiteral("*.wma;*.wax;*.wav;*.mp3;*.m3u;*.mid;*.midi;*.rmi;*.aif;*.aifc;*.aiff;*.au;*.snd;"
                       "*.flac;*.ogg;*.oga;*.opus;*.m4a;*.aac"));

    OptionForm &form = open();
    EXPECT_EQ(form.WindowsAutoWakeup->text(), QStringLiteral("ログインと同時に Lyrabox も起動する"));
    form.FileSystemAdvise->click();
    form.SystemAdvice->click();
    EXPECT_TRUE(form.WindowsAutoWakeup->isChecked() && form.RightCMS->currentIndex() == 1);
    press(form.ExitSetup);
    EXPECT_EQ(stored(), afterOk);
    EXPECT_TRUE(AutostartEntry::read(platform::autostartEntryPath()).isEmpty() && main->WAWImg->isHidden());
    EXPECT_EQ(messages.titles(), QStringList(2, QStringLiteral("設定変更")));
    EXPECT_EQ(messages.shown().at(1).text, QStringLiteral("プレイオプションを推奨設定に変更しました。\r\n"));
}

TEST_F(OptionFormTest, EachChangeIsStoredAndAppliedAtOnce)
{
    main->FileNameLabel->move(-40, main->FileNameLabel->y());
    main->FileNameLabel->setToolTip(QStringLiteral("/music/a.mp3"));
    OptionForm &form = open();
    form.FileSystemList->clearSelection();
    form.PlayListBackUp->setChecked(true);
    form.TitleScrollInfo->setChecked(false);
    form.TitleToolTipInfo->setChecked(true);
    form.WindowsAutoWakeup->setChecked(true);
    form.InfoCover->setChecked(true);
    form.EvenLoudness->setChecked(true);
    form.DisplayTextColor->setCurrentIndex(2);
    form.DownWinCC->setCurrentIndex(1);
    form.LeftCMS->setCurrentIndex(1);
    EXPECT_EQ(form.LabelImageText->palette().color(QPalette::WindowText), QColor(255, 128, 0));
    press(form.ExitFolderSetup);

    QStringList patterns;
    for (int n = 1; n <= 7; ++n) {
        patterns << setting(MFPattern(n));
    }
    EXPECT_EQ(patterns.join(u' ') + u' ' + list->MusicFilePattern + u' ' + setting(ListBackup),
              "none none none none none none none none active");
    EXPECT_EQ(std::tuple(sys().ListBackupOn, main->LBUImg->isHidden(), main->FileNameLabel->x(),
                         sys().TitleScrollOn, main->InfoCover->isHidden(), sys().LeftClickMenu),
              std::tuple(true, false, 0, false, true, 1));
    EXPECT_EQ(main->FileNameLabel->toolTip(), QStringLiteral("/music/a.mp3"));
    EXPECT_EQ(AutostartEntry::read(platform::autostartEntryPath()), QCoreApplication::applicationFilePath());
    EXPECT_EQ(main->FileStatusLabel->palette().color(QPalette::WindowText), QColor(255, 128, 0));
    EXPECT_EQ(main->FrontForm->toolTip(), QStringLiteral("タスクトレイ常駐化"));

    // Reopened in the same run, the window shows what it stored.
    OptionForm &again = open();
    EXPECT_EQ(std::tuple(again.PlayListBackUp->isChecked(), again.FileSystemList->selectedItems().size(),
                         again.DownWinCC->currentIndex(), setting(EvenLoudness),
                         TrackLoudness::instance().enabled(), again.EvenLoudness->text()),
              std::tuple(true, 0, 1, QStringLiteral("on"), true, QStringLiteral("音量を揃える")));
    again.FileSystemAdvise->click();
    EXPECT_TRUE(again.FileSystemList->item(6)->isSelected());
    EXPECT_EQ(again.FileSystemList->item(6)->text(), QStringLiteral("FLAC / Ogg / Opus / AAC 形式サウンド"));
    again.WindowsAutoWakeup->setChecked(false);
    again.TitleToolTipInfo->setChecked(false);
    press(again.ExitFolderSetup);
    EXPECT_TRUE(AutostartEntry::read(platform::autostartEntryPath()).isEmpty());
    EXPECT_EQ(setting(TitleToolTip) + main->FileNameLabel->toolTip(), "off"); // and no tip

    // With no tip yet, turning the tip on announces the next track's path.
    OptionForm &third = open();
    third.TitleToolTipInfo->setChecked(true);
    press(third.ExitFolderSetup);
    EXPECT_EQ(main->FileNameLabel->toolTip(), QStringLiteral("[ 次の曲からファイルパスを表示します。 ]"));
}
