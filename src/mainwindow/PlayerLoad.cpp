#include "mainwindow/PlayerLoad.h"

#include "core/FormRegistry.h"
#include "mainwindow/MainForm.h"
#include "playlist/PlayListForm.h"

void loadPlayer()
{
    FormRegistry::instance().load<PlayListForm>();
    FormRegistry::instance().load<MainForm>();
}
