#include "playlist/PlayListForm.h"

#include "core/FormRegistry.h"
#include "core/SystemDataBox.h"
#include "platform/TrayIcon.h"

namespace {
Form *mainForm()
{
    return FormRegistry::instance().find(WindowKind::MainForm);
}
} // namespace

TrayIcon &PlayListForm::trayIcon()
{
    if (tray_ == nullptr) {
        tray_ = new TrayIcon(this);
        connect(tray_, &TrayIcon::leftPressed, this, &PlayListForm::trayIcon_LeftPress);
        connect(tray_, &TrayIcon::rightPressed, this, &PlayListForm::leaveTray);
    }
    return *tray_;
}

void PlayListForm::TasktrayStart()
{
    // With no tray there would be no way back to a hidden window.
    if (!TrayIcon::available()) {
        return;
    }
    if (Form *main = mainForm()) {
        main->hide();
    }
    trayIcon().add();
}

void PlayListForm::TasktrayEnd()
{
    trayIcon().remove();
}

void PlayListForm::trayIcon_LeftPress()
{
    if (sys().TaskLeftClickMenu == 0) {
        emit trayPlayStopPressed();
    } else if (sys().TaskLeftClickMenu == 1) {
        leaveTray();
    }
}

void PlayListForm::leaveTray()
{
    TasktrayEnd();
    if (Form *main = mainForm()) {
        main->show();
    }
}
