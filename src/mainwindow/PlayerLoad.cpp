#include "mainwindow/PlayerLoad.h"

#include "core/FormRegistry.h"
#include "core/RegistryModule.h"
#include "mainwindow/MainForm.h"
#include "playback/PlayController.h"
#include "playlist/PlayListForm.h"

void loadPlayer()
{
    using namespace RegistryModule;
    auto &list = FormRegistry::instance().load<PlayListForm>();
    // The main window starts an auto play as it loads; its track opens while it is built.
    if (GetRegString(HKEY_CURRENT_USER, SettingsKey, AutoPlay) == QStringLiteral("play")) {
        PlayController::instance().openAhead(list);
    }
    FormRegistry::instance().load<MainForm>();
}
