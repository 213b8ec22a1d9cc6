#include "mainwindow/MainForm.h"

#include "app/FormRegistry.h"
#include "app/SystemDataBox.h"
#include "mainwindow/WindowTopModule.h"
#include "playlist/PlayListForm.h"

MainForm::MainForm() : Form(nullptr, Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Lyrabox 3"));
    setFixedSize(255, 109);
}

void MainForm::Form_Load()
{
    WindowTopModule::WindowTop(*this, WindowTopModule::Topmost);
    sys().MainFormLoaded = true;
}

void MainForm::Form_Unload()
{
    sys().MainFormLoaded = false;
    FormRegistry::instance().unload<PlayListForm>();
}
