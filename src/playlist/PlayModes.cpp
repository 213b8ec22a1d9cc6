#include "core/FormRegistry.h"
#include "core/SystemDataBox.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/SkinWidgets.h"
#include "mainwindow/WindowTopModule.h"
#include "platform/MessageBox.h"
#include "playlist/PlayListForm.h"

#include <QAction>
#include <QLabel>

// At most one of the three play modes is on: a repeat cancels the other repeat
// quietly and close-after-this-track with a message; close-after-this-track
// cancels either repeat with a message. The twins follow through their marks.

namespace {

MainForm *mainForm()
{
    return FormRegistry::instance().find<MainForm>();
}

void showLamp(Lamp *MainForm::*lamp, bool on)
{
    if (MainForm *main = mainForm()) {
        (main->*lamp)->setVisible(on);
    }
}

void showCancelled(QWidget *parent, const QString &caption)
{
    platform::showMessage(
        parent,
        {QStringLiteral("この操作で、'") + caption + QStringLiteral("' は、\r\nキャンセルされました。"),
         QStringLiteral("操作キャンセル"), platform::MessageIcon::Information, platform::MessageButtons::Ok});
}

// Clears a mode's marks and lamp; true when it was on.
bool clearMode(QAction *mode, Lamp *MainForm::*lamp)
{
    const bool wasOn = mode->isChecked();
    mode->setChecked(false);
    if (wasOn) {
        showLamp(lamp, false);
    }
    return wasOn;
}

} // namespace

void PlayListForm::ThisMusicExitInfo()
{
    showLamp(&MainForm::ThisMusicExitImg, false);
    if (ThisMusicExit->isChecked()) {
        ThisMusicExit->setChecked(false);
        showCancelled(this, ThisMusicExit->text());
    }
}

void PlayListForm::AllMusicRepeat_Click()
{
    showLamp(&MainForm::AllRepeatImg, AllMusicRepeat->isChecked());
    ThisMusicExitInfo();
    clearMode(OneMusicRepeat, &MainForm::OneRepeatImg);
}

void PlayListForm::OneMusicRepeat_Click()
{
    showLamp(&MainForm::OneRepeatImg, OneMusicRepeat->isChecked());
    ThisMusicExitInfo();
    clearMode(AllMusicRepeat, &MainForm::AllRepeatImg);
}

void PlayListForm::ThisMusicExit_Click()
{
    showLamp(&MainForm::ThisMusicExitImg, ThisMusicExit->isChecked());
    if (clearMode(AllMusicRepeat, &MainForm::AllRepeatImg)) {
        showCancelled(this, AllMusicRepeat->text());
    }
    if (clearMode(OneMusicRepeat, &MainForm::OneRepeatImg)) {
        showCancelled(this, OneMusicRepeat->text());
    }
}

void PlayListForm::DisplayTimeSet_Click()
{
    sys().ElapsedDisplay = !sys().ElapsedDisplay;
    const QString caption =
        sys().ElapsedDisplay ? QStringLiteral("残り時間表示") : QStringLiteral("経過時間表示");
    DisplayTimeSet->setText(caption);
    DisplayTimeSet2->setText(caption);
}

void PlayListForm::WindowTopup_Click()
{
    const bool onTop = WindowTopup->isChecked();
    if (MainForm *main = mainForm()) {
        WindowTopModule::WindowTop(*main, onTop ? WindowTopModule::Topmost : WindowTopModule::NotTopmost);
    }
    showLamp(&MainForm::WindowTopupImg, onTop);
}
