#include "mainwindow/MainForm.h"

#include "core/FormRegistry.h"
#include "core/SystemDataBox.h"
#include "mainwindow/ImageButton.h"
#include "mainwindow/SkinWidgets.h"
#include "mainwindow/WindowTopModule.h"
#include "platform/TrayIcon.h"
#include "playlist/PlayListForm.h"

#include <QAction>
#include <QEvent>
#include <QMouseEvent>
#include <QWindow>

void MainForm::connectButtons()
{
    for (ImageButton *button : {MusicPlay, MusicStop, FolderSetup}) {
        connect(button, &ImageButton::hovered, this, &MainForm::showNormalPictures);
    }
    connect(FolderSetup, &ImageButton::released, this, &MainForm::FolderSetup_MouseUp);
    connect(MusicPlay, &ImageButton::clicked, this, &MainForm::MusicPlay_Click);
    connect(MusicStop, &ImageButton::clicked, this, &MainForm::MusicStop_Click);
    connect(FrontForm, &ImageButton::clicked, this, &MainForm::FrontForm_Click);
    connect(ExitProgram, &ImageButton::clicked, this, &MainForm::ExitProgram_Click);
    FrontForm->installEventFilter(this);
}

// A tray host may come or go while the player runs: the tip is told when it is about to show.
bool MainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == FrontForm && event->type() == QEvent::ToolTip) {
        showFrontFormTip(sendsToTray());
    }
    return Form::eventFilter(watched, event);
}

// Without a tray there would be no way back to a hidden window: the button sends it back instead.
bool MainForm::sendsToTray() const
{
    return sys().DownWinMode == 1 && TrayIcon::available();
}

// The tip names what a click on the button does.
void MainForm::showFrontFormTip(bool toTray)
{
    FrontForm->setToolTip(toTray ? QStringLiteral("タスクトレイ常駐化")
                                 : QStringLiteral("ウィンドウ最背面化"));
}

void MainForm::showNormalPictures()
{
    for (ImageButton *button : {MusicPlay, MusicStop, FolderSetup}) {
        button->showPicture(ImageButton::Out);
    }
}

void MainForm::FolderSetup_MouseUp(Qt::MouseButton button, QPoint globalPos)
{
    int choice = -1;
    switch (button) {
    case Qt::LeftButton:
        choice = sys().LeftClickMenu;
        break;
    case Qt::RightButton:
        choice = sys().RightClickMenu;
        break;
    case Qt::MiddleButton:
        choice = sys().MiddleClickMenu;
        break;
    default:
        break;
    }
    PlayListForm *list = FormRegistry::instance().find<PlayListForm>();
    if (list && (choice == 0 || choice == 1)) {
        list->PopupChosenMenu(choice, globalPos);
    }
}

void MainForm::FrontForm_Click()
{
    PlayListForm *list = FormRegistry::instance().find<PlayListForm>();
    if (sendsToTray() && list) {
        list->TasktrayStart();
        return;
    }
    if (list && list->topmostChosen()) {
        WindowTopModule::WindowTop(*this, WindowTopModule::NotTopmost);
        WindowTopupImg->hide();
        list->dropTopmostMark();
    }
    WindowTopModule::WindowTop(*this, WindowTopModule::Bottom);
}

void MainForm::Form_MouseDown(Qt::MouseButton button, QPoint globalPos)
{
    if (button != Qt::LeftButton) {
        return;
    }
    // Without a window manager there is no system move: follow the mouse ourselves.
    if (windowHandle() && windowHandle()->startSystemMove()) {
        return;
    }
    dragging_ = true;
    dragOffset_ = globalPos - frameGeometry().topLeft();
}

void MainForm::Form_MouseMove()
{
    showNormalPictures();
}

void MainForm::mousePressEvent(QMouseEvent *event)
{
    Form_MouseDown(event->button(), event->globalPosition().toPoint());
}

void MainForm::mouseMoveEvent(QMouseEvent *event)
{
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - dragOffset_);
    }
    Form_MouseMove();
}

void MainForm::mouseReleaseEvent(QMouseEvent *)
{
    dragging_ = false;
}
