#include "app/OptionForm.h"

#include "core/FormRegistry.h"
#include "core/RegistryModule.h"
#include "core/SystemDataBox.h"
#include "mainwindow/ImageButton.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/SkinWidgets.h"
#include "playback/TextColour.h"
#include "playlist/PlayFilePattern.h"
#include "playlist/PlayListForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>

using namespace RegistryModule;

namespace {

void put(const QString &name, const QString &text)
{
    SetRegString(HKEY_CURRENT_USER, SettingsKey, name, text);
}

QString flag(bool on, const char *text)
{
    return on ? QString::fromLatin1(text) : QString();
}

} // namespace

void OptionForm::applyFileGroups()
{
    std::array<QString, PlayFilePattern::GroupCount> settings;
    for (int n = 1; n <= PlayFilePattern::GroupCount; ++n) {
        settings[n - 1] = FileSystemList->item(n - 1)->isSelected() ? QString() : PlayFilePattern::Off;
        put(MFPattern(n), settings[n - 1]);
    }
    if (auto *list = FormRegistry::instance().find<PlayListForm>()) {
        list->MusicFilePattern = PlayFilePattern::assemble(settings);
    }
}

void OptionForm::applyTitleSettings()
{
    MainForm *main = FormRegistry::instance().find<MainForm>();
    QColor colour = textColourOf(chosenColour());
    put(DColor, chosenColour());
    bool scroll = TitleScrollInfo->isChecked();
    put(TitleScroll, flag(!scroll, "off"));
    sys().TitleScrollOn = scroll;
    if (!scroll) {
        sys().TitleRestart = false;
        sys().TitleWaitCount = 0;
    }
    bool tip = TitleToolTipInfo->isChecked();
    put(TitleToolTip, flag(!tip, "off"));
    sys().TitleToolTipOn = tip;
    if (main == nullptr) {
        return;
    }
    for (QLabel *label :
         {main->NowTimeLabel, main->AllTimeLabel, main->FileNameLabel, main->FileStatusLabel}) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colour);
        label->setPalette(palette);
    }
    if (!scroll) {
        main->placeTitle(0);
    }
    main->FileNameLabel_Change(); // the title timer runs only while the title can move
    if (!tip) {
        main->FileNameLabel->setToolTip(QString());
    } else if (main->FileNameLabel->toolTip().isEmpty()) {
        main->FileNameLabel->setToolTip(QStringLiteral("[ 次の曲からファイルパスを表示します。 ]"));
    }
}

void OptionForm::applyLampSettings()
{
    MainForm *main = FormRegistry::instance().find<MainForm>();
    auto lamp = [main](Lamp *MainForm::*which, bool on) {
        if (main != nullptr) {
            (main->*which)->setVisible(on);
        }
    };
    bool wake = WindowsAutoWakeup->isChecked();
    SetRegString(HKEY_CURRENT_USER, RunKey, RunValue,
                 wake ? QCoreApplication::applicationFilePath() : QString());
    lamp(&MainForm::WAWImg, wake);
    put(AutoPlay, flag(WakeupAutoPlay->isChecked(), "play"));
    lamp(&MainForm::WAPImg, WakeupAutoPlay->isChecked());
    sys().ListBackupOn = PlayListBackUp->isChecked();
    put(ListBackup, flag(sys().ListBackupOn, "active"));
    lamp(&MainForm::LBUImg, sys().ListBackupOn);
    sys().PlayEndStop = PlayEndMode->isChecked();
    put(RegistryModule::PlayEndMode, flag(sys().PlayEndStop, "stop"));
    put(RegistryModule::InfoCover, flag(InfoCover->isChecked(), "on"));
    lamp(&MainForm::InfoCover, !InfoCover->isChecked());
}

void OptionForm::applyMenuSettings()
{
    put(LeftCMenu, QString::number(LeftCMS->currentIndex()));
    put(RightCMenu, QString::number(RightCMS->currentIndex()));
    put(MiddleCMenu, QString::number(MiddleCMS->currentIndex()));
    put(TaskLCMenu, QString::number(TaskLCMS->currentIndex()));
    sys().LeftClickMenu = static_cast<std::uint8_t>(LeftCMS->currentIndex());
    sys().RightClickMenu = static_cast<std::uint8_t>(RightCMS->currentIndex());
    sys().MiddleClickMenu = static_cast<std::uint8_t>(MiddleCMS->currentIndex());
    sys().TaskLeftClickMenu = static_cast<std::uint8_t>(TaskLCMS->currentIndex());
    put(DownWin, QString::number(DownWinCC->currentIndex()));
    sys().DownWinMode = static_cast<std::uint8_t>(DownWinCC->currentIndex());
    if (auto *main = FormRegistry::instance().find<MainForm>()) {
        main->FrontForm->setToolTip(sys().DownWinMode != 0 ? QStringLiteral("タスクトレイ常駐化")
                                                           : QStringLiteral("ウィンドウ最背面化"));
    }
}

void OptionForm::ExitFolderSetup_Click()
{
    applyFileGroups();
    applyTitleSettings();
    applyLampSettings();
    applyMenuSettings();
    close();
}
