#include "core/SystemDataBox.h"
#include "platform/MessageBox.h"
#include "playback/PlayModes.h"
#include "playlist/PlayListForm.h"

#include <QAction>
#include <QLabel>

// At most one of the three play modes is on: a repeat cancels the other repeat
// quietly and close-after-this-track with a message; close-after-this-track
// cancels either repeat with a message.

namespace {

void showCancelled(QWidget *parent, const QString &caption)
{
    platform::showMessage(
        parent,
        {QStringLiteral("この操作で、'") + caption + QStringLiteral("' は、\r\nキャンセルされました。"),
         QStringLiteral("操作キャンセル"), platform::MessageIcon::Information, platform::MessageButtons::Ok});
}

} // namespace

// A new window starts with every mode off, whatever an earlier one left.
void PlayListForm::followPlayModes()
{
    using enum PlayModes::Mode;
    const std::tuple<PlayModes::Mode, QAction *, ModeLamp> modes[] = {
        {AllMusicRepeat, this->AllMusicRepeat, ModeLamp::AllRepeat},
        {OneMusicRepeat, this->OneMusicRepeat, ModeLamp::OneRepeat},
        {ThisMusicExit, this->ThisMusicExit, ModeLamp::ThisMusicExit},
    };
    PlayModes &playModes = PlayModes::instance();
    for (const auto &[mode, item, lamp] : modes) {
        playModes.set(mode, item->isChecked());
        connect(item, &QAction::toggled, this, [mode](bool on) { PlayModes::instance().set(mode, on); });
    }
    connect(&playModes, &PlayModes::changed, this, [this, modes](PlayModes::Mode changed, bool on) {
        for (const auto &[mode, item, lamp] : modes) {
            if (mode == changed) {
                item->setChecked(on);
                emit modeLampChanged(lamp, on);
            }
        }
    });
}

bool PlayListForm::clearMode(QAction *mode, ModeLamp lamp)
{
    const bool wasOn = mode->isChecked();
    mode->setChecked(false);
    if (wasOn) {
        emit modeLampChanged(lamp, false);
    }
    return wasOn;
}

void PlayListForm::ThisMusicExitInfo()
{
    emit modeLampChanged(ModeLamp::ThisMusicExit, false);
    if (ThisMusicExit->isChecked()) {
        ThisMusicExit->setChecked(false);
        showCancelled(this, ThisMusicExit->text());
    }
}

void PlayListForm::AllMusicRepeat_Click()
{
    emit modeLampChanged(ModeLamp::AllRepeat, AllMusicRepeat->isChecked());
    ThisMusicExitInfo();
    clearMode(OneMusicRepeat, ModeLamp::OneRepeat);
}

void PlayListForm::OneMusicRepeat_Click()
{
    emit modeLampChanged(ModeLamp::OneRepeat, OneMusicRepeat->isChecked());
    ThisMusicExitInfo();
    clearMode(AllMusicRepeat, ModeLamp::AllRepeat);
}

void PlayListForm::ThisMusicExit_Click()
{
    emit modeLampChanged(ModeLamp::ThisMusicExit, ThisMusicExit->isChecked());
    if (clearMode(AllMusicRepeat, ModeLamp::AllRepeat)) {
        showCancelled(this, AllMusicRepeat->text());
    }
    if (clearMode(OneMusicRepeat, ModeLamp::OneRepeat)) {
        showCancelled(this, OneMusicRepeat->text());
    }
}

void PlayListForm::DisplayTimeSet_Click()
{
    sys().ElapsedDisplay = !sys().ElapsedDisplay;
    const QString caption =
        sys().ElapsedDisplay ? QStringLiteral("残り時間表示") : QStringLiteral("経過時間表示");
    DisplayTimeSet->setText(caption);
}

void PlayListForm::WindowTopup_Click()
{
    const bool onTop = WindowTopup->isChecked();
    emit topmostChanged(onTop);
    emit modeLampChanged(ModeLamp::WindowTopup, onTop);
}

bool PlayListForm::topmostChosen() const
{
    return WindowTopup->isChecked();
}

void PlayListForm::dropTopmostMark()
{
    WindowTopup->setChecked(false);
}
