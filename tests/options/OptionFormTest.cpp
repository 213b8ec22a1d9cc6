#include "app/OptionForm.h"
#include "app/AutostartEntry.h"
#include "mainwindow/ImageButton.h"
#include "mainwindow/SkinWidgets.h"
#include "platform/Paths.h"
#include "playback/TextColour.h"
#include "playlist/PlayListFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QListWidget>

using namespace RegistryModule;

namespace {

const QStringList kSettings{QStringLiteral("MFPattern1"),
                            QStringLiteral("MFPattern6"),
                            DColor,
                            TitleScroll,
                            TitleToolTip,
                            AutoPlay,
                            ListBackup,
                            RegistryModule::PlayEndMode,
                            RegistryModule::InfoCover,
                            LeftCMenu,
                            RightCMenu,
                            MiddleCMenu,
                            TaskLCMenu,
                            DownWin};

class OptionFormTest : public PlayerWindowsFixture {
protected:
    OptionForm &open()
    {
        list->PlayOption_Click();
        EXPECT_FALSE(main->isEnabled());
        return *FormRegistry::instance().find<OptionForm>();
    }
    void press(QPushButton *button)
    {
        button->click();
        TestEnvironment::flushEvents();
        EXPECT_EQ(FormRegistry::instance().find<OptionForm>(), nullptr);
        EXPECT_TRUE(main->isEnabled());
    }
    static QString setting(const QString &name) { return GetRegString(HKEY_CURRENT_USER, SettingsKey, name); }
    static QString stored()
    {
        QFile file(backingFile(HKEY_CURRENT_USER));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
};

} // namespace

TEST_F(OptionFormTest, OkWritesEveryValueAndTheRecommendedButtonsThenCancelWriteNothing)
{
    setSetting(RightCMenu, QStringLiteral("2"));
    sys().TaskLeftClickMenu = 1;
    press(open().ExitFolderSetup);
    const QString afterOk = stored();
    for (const QString &name : kSettings) {
        EXPECT_TRUE(afterOk.contains(name + u'=')) << name.toStdString();
    }
    EXPECT_EQ(setting(TaskLCMenu), QStringLiteral("0"));
    EXPECT_EQ(sys().TaskLeftClickMenu, 0);
    EXPECT_EQ(setting(RightCMenu), QStringLiteral("2"));
    EXPECT_EQ(setting(MiddleCMenu), QStringLiteral("2"));
    EXPECT_EQ(
        list->MusicFilePattern,
        QStringLiteral("*.wma;*.wax;*.wav;*.mp3;*.m3u;*.mid;*.midi;*.rmi;*.aif;*.aifc;*.aiff;*.au;*.snd"));

    OptionForm &form = open();
    form.FileSystemAdvise->click();
    form.SystemAdvice->click();
    EXPECT_TRUE(form.WindowsAutoWakeup->isChecked());
    EXPECT_EQ(form.RightCMS->currentIndex(), 1);
    press(form.ExitSetup);
    EXPECT_EQ(stored(), afterOk);
    EXPECT_TRUE(AutostartEntry::read(platform::autostartEntryPath()).isEmpty());
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
    form.DisplayTextColor->setCurrentIndex(2);
    form.DownWinCC->setCurrentIndex(1);
    form.LeftCMS->setCurrentIndex(1);
    EXPECT_EQ(form.LabelImageText->palette().color(QPalette::WindowText), textColourOf(QStringLiteral("2")));
    press(form.ExitFolderSetup);

    for (int n = 1; n <= 6; ++n) {
        EXPECT_EQ(setting(MFPattern(n)), QStringLiteral("none"));
    }
    EXPECT_EQ(list->MusicFilePattern, QStringLiteral("none"));
    EXPECT_EQ(setting(ListBackup), QStringLiteral("active"));
    EXPECT_TRUE(sys().ListBackupOn);
    EXPECT_FALSE(main->LBUImg->isHidden());
    EXPECT_EQ(main->FileNameLabel->x(), 0);
    EXPECT_FALSE(sys().TitleScrollOn);
    EXPECT_EQ(main->FileNameLabel->toolTip(), QStringLiteral("/music/a.mp3"));
    EXPECT_EQ(AutostartEntry::read(platform::autostartEntryPath()), QCoreApplication::applicationFilePath());
    EXPECT_TRUE(main->InfoCover->isHidden());
    EXPECT_EQ(main->FileStatusLabel->palette().color(QPalette::WindowText),
              textColourOf(QStringLiteral("2")));
    EXPECT_EQ(main->FrontForm->toolTip(), QStringLiteral("タスクトレイ常駐化"));
    EXPECT_EQ(sys().LeftClickMenu, 1);

    // Reopened in the same run, the window shows what it stored.
    OptionForm &again = open();
    EXPECT_TRUE(again.PlayListBackUp->isChecked());
    EXPECT_EQ(again.FileSystemList->selectedItems().size(), 0);
    EXPECT_EQ(again.DownWinCC->currentIndex(), 1);
    again.WindowsAutoWakeup->setChecked(false);
    again.TitleToolTipInfo->setChecked(false);
    press(again.ExitFolderSetup);
    EXPECT_TRUE(AutostartEntry::read(platform::autostartEntryPath()).isEmpty());
    EXPECT_TRUE(main->FileNameLabel->toolTip().isEmpty());
    EXPECT_EQ(setting(TitleToolTip), QStringLiteral("off"));

    // With no tip yet, turning the tip on announces the next track's path.
    OptionForm &third = open();
    third.TitleToolTipInfo->setChecked(true);
    press(third.ExitFolderSetup);
    EXPECT_EQ(main->FileNameLabel->toolTip(), QStringLiteral("[ 次の曲からファイルパスを表示します。 ]"));
}
