#include "app/OptionForm.h"

#include "core/RegistryModule.h"
#include "core/SettingsNotice.h"
#include "core/SystemDataBox.h"
#include "playback/PlayController.h"
#include "playback/TrackLoudness.h"
#include "playlist/PlayFilePattern.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
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

void OptionForm::storeFileGroups(SettingsChange &change)
{
    for (int n = 1; n <= PlayFilePattern::GroupCount; ++n) {
        const bool on = FileSystemList->item(n - 1)->isSelected();
        put(MFPattern(n), on ? QString() : PlayFilePattern::Off);
        change.fileGroupsOn << on;
    }
}

void OptionForm::storeTitleSettings(SettingsChange &change)
{
    change.textColour = chosenColour();
    put(DColor, change.textColour);
    bool scroll = TitleScrollInfo->isChecked();
    put(TitleScroll, flag(!scroll, "off"));
    sys().TitleScrollOn = scroll;
    bool tip = TitleToolTipInfo->isChecked();
    put(TitleToolTip, flag(!tip, "off"));
    sys().TitleToolTipOn = tip;
}

void OptionForm::storeLampSettings(SettingsChange &change)
{
    change.autostart = WindowsAutoWakeup->isChecked();
    SetRegString(HKEY_CURRENT_USER, RunKey, RunValue,
                 change.autostart ? QCoreApplication::applicationFilePath() : QString());
    change.autoPlay = WakeupAutoPlay->isChecked();
    put(AutoPlay, flag(change.autoPlay, "play"));
    sys().ListBackupOn = PlayListBackUp->isChecked();
    put(ListBackup, flag(sys().ListBackupOn, "active"));
    sys().PlayEndStop = PlayEndMode->isChecked();
    put(RegistryModule::PlayEndMode, flag(sys().PlayEndStop, "stop"));
    put(RegistryModule::TrackNotice, flag(TrackNotice->isChecked(), "on"));
    change.indicatorIcons = InfoCover->isChecked();
    put(RegistryModule::InfoCover, flag(change.indicatorIcons, "on"));
    // From the next track on; the one playing keeps its gain.
    TrackLoudness::instance().setEnabled(EvenLoudness->isChecked());
    PlayController::instance().measureNext();
    put(RegistryModule::EvenLoudness, flag(EvenLoudness->isChecked(), "on"));
}

void OptionForm::storeMenuSettings()
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
}

// The windows apply the change as told, even where a write failed: the user saw
// the failure, and the choice holds for this run.
void OptionForm::ExitFolderSetup_Click()
{
    SettingsChange change;
    storeFileGroups(change);
    storeTitleSettings(change);
    storeLampSettings(change);
    storeMenuSettings();
    SettingsNotice::instance().announce(change);
    close();
}
