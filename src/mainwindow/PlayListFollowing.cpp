#include "mainwindow/MainForm.h"

#include "core/FormRegistry.h"
#include "core/SystemDataBox.h"
#include "mainwindow/MainCounter.h"
#include "mainwindow/SkinWidgets.h"
#include "mainwindow/WindowTopModule.h"
#include "playback/PlayController.h"
#include "playlist/PlayListForm.h"

#include <QLabel>

// The play list window lies below this one: it announces, this window shows.
void MainForm::followPlayList()
{
    PlayListForm *list = FormRegistry::instance().find<PlayListForm>();
    if (list == nullptr) {
        return;
    }
    connect(list, &PlayListForm::restCountChanged, this, [this](qsizetype rest, qint64 total) {
        if (loadedFully_) {
            FileStatusLabel->setText(restCounterText(rest, total));
        }
    });
    connect(list, &PlayListForm::modeLampChanged, this,
            [this](ModeLamp lamp, bool on) { modeLamp(lamp)->setVisible(on); });
    connect(list, &PlayListForm::topmostChanged, this, [this](bool onTop) {
        WindowTopModule::WindowTop(*this, onTop ? WindowTopModule::Topmost : WindowTopModule::NotTopmost);
    });
    connect(list, &PlayListForm::trayPlayStopPressed, this, &MainForm::MusicPlayCallSys);
    serveQueue(*list);
}

// The play list is the play control's queue for as long as it exists.
void MainForm::serveQueue(PlayListForm &list)
{
    PlayController &controller = PlayController::instance();
    PlayQueue *queue = &list;
    controller.setQueue(queue);
    connect(&controller, &PlayController::restCounted, &list, &PlayListForm::showRest, Qt::UniqueConnection);
    connect(&list, &QObject::destroyed, &controller,
            [queue] { PlayController::instance().setQueue(nullptr, queue); });
}

Lamp *MainForm::modeLamp(ModeLamp lamp) const
{
    switch (lamp) {
    case ModeLamp::AllRepeat:
        return AllRepeatImg;
    case ModeLamp::OneRepeat:
        return OneRepeatImg;
    case ModeLamp::ThisMusicExit:
        return ThisMusicExitImg;
    case ModeLamp::WindowTopup:
        return WindowTopupImg;
    }
    return nullptr;
}
