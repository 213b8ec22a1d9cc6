#include "app/OptionForm.h"

#include "core/RegistryModule.h"
#include "core/SystemDataBox.h"
#include "playback/TextColour.h"
#include "playback/TrackLoudness.h"
#include "playlist/PlayFilePattern.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QListWidget>

using namespace RegistryModule;

namespace {

QString setting(const QString &name)
{
    return GetRegString(HKEY_CURRENT_USER, SettingsKey, name);
}

// An empty stored index means the given default; the lists always hold the entry.
void showEntry(QComboBox *box, const QString &stored, int fallback)
{
    bool ok = false;
    int index = stored.toInt(&ok);
    box->setCurrentIndex(ok && index >= 0 && index < box->count() ? index : fallback);
}

} // namespace

void OptionForm::Form_Load()
{
    for (int n = 1; n <= PlayFilePattern::GroupCount; ++n) {
        FileSystemList->item(n - 1)->setSelected(setting(MFPattern(n)) != PlayFilePattern::Off);
    }
    if (isColourValue(setting(DColor))) {
        ownColour_ = setting(DColor);
        DisplayTextColor->setCurrentIndex(-1);
    } else {
        showEntry(DisplayTextColor, setting(DColor), 0);
    }
    DisplayTextColor_Click();
    TitleScrollInfo->setChecked(setting(TitleScroll) != QStringLiteral("off"));
    TitleToolTipInfo->setChecked(setting(TitleToolTip) != QStringLiteral("off"));
    WindowsAutoWakeup->setChecked(!GetRegString(HKEY_CURRENT_USER, RunKey, RunValue).isEmpty());
    WakeupAutoPlay->setChecked(setting(AutoPlay) == QStringLiteral("play"));
    PlayListBackUp->setChecked(sys().ListBackupOn);
    PlayEndMode->setChecked(sys().PlayEndStop);
    TrackNotice->setChecked(setting(RegistryModule::TrackNotice) == QStringLiteral("on"));
    EvenLoudness->setChecked(TrackLoudness::instance().enabled());
    InfoCover->setChecked(setting(RegistryModule::InfoCover) == QStringLiteral("on"));
    showEntry(LeftCMS, setting(LeftCMenu), 0);
    showEntry(RightCMS, setting(RightCMenu), 1);
    showEntry(MiddleCMS, setting(MiddleCMenu), 2);
    showEntry(TaskLCMS, setting(TaskLCMenu), 0);
    DownWinCC->setCurrentIndex(setting(DownWin) == QStringLiteral("1") ? 1 : 0);
    show();
}

bool OptionForm::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate) {
        sys().HelpContext = QStringLiteral("Option");
    }
    return Form::event(event);
}

void OptionForm::ExitSetup_Click()
{
    close();
}
