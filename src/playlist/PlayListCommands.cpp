#include "core/FormRegistry.h"
#include "core/SystemDataBox.h"
#include "playlist/PlayListForm.h"

#include <QEvent>
#include <QPushButton>

namespace {

// The main window takes no input while the window is open; whichever way the
// window goes (its buttons, its title bar, an unload by the program), the main
// window must come back, or the player is dead.
void enableMainFormWhenGone(Form *main, Form &window)
{
    const auto enable = [main] { main->setEnabled(true); };
    QObject::disconnect(&window, &Form::hidden, main, nullptr);
    QObject::disconnect(&window, &Form::unloaded, main, nullptr);
    QObject::connect(&window, &Form::hidden, main, enable);
    QObject::connect(&window, &Form::unloaded, main, enable);
    // It may have gone already, from inside its own load.
    if (!FormRegistry::instance().isLoaded(&window) || window.isHidden()) {
        enable();
    }
}

void openWindow(PlayListForm &list, WindowKind kind)
{
    Form *main = FormRegistry::instance().find(WindowKind::MainForm);
    if (main != nullptr) {
        main->setEnabled(false);
    }
    list.ThisMusicExitInfo();
    Form &window = FormRegistry::instance().load(kind);
    // A window loaded earlier and only hidden does not run its load again.
    if (FormRegistry::instance().isLoaded(&window)) {
        window.show();
        window.raise();
        window.activateWindow();
    }
    if (main != nullptr) {
        enableMainFormWhenGone(main, window);
    }
}

} // namespace

void PlayListForm::FolderSetupMenu_Click()
{
    openWindow(*this, WindowKind::FolderForm);
}

void PlayListForm::openFolderSetup()
{
    openWindow(*this, WindowKind::FolderForm);
}

void PlayListForm::PlayOption_Click()
{
    openWindow(*this, WindowKind::OptionForm);
}

void PlayListForm::VersionInfo_Click()
{
    openWindow(*this, WindowKind::VersionForm);
}

void PlayListForm::NewVersionMenu_Click()
{
    openWindow(*this, WindowKind::VersionStatusForm);
}

void PlayListForm::PlayListMenu_Click()
{
    show();
    raise();
    activateWindow();
}

void PlayListForm::AllListRenewalMenu_Click()
{
    AllListRenewal->click();
}

void PlayListForm::PartListRenewalMenu_Click()
{
    PartListRenewal->click();
}

void PlayListForm::ExitPlayList_Click()
{
    hide();
    FormRegistry::instance().unload(WindowKind::QuickHelpForm);
    sys().HelpContext.clear();
    sys().ShownHelpContext.clear();
}

void PlayListForm::PLHelp_Click()
{
    FormRegistry::instance().load(WindowKind::QuickHelpForm);
}

bool PlayListForm::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate) {
        sys().HelpContext = QStringLiteral("PlayList");
    }
    return Form::event(event);
}
