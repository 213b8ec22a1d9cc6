#include "playback/PlayController.h"
#include "playlist/PlayListForm.h"

#include <QLabel>
#include <QLineEdit>

// The list is the play control's queue for as long as this window exists.
void PlayListForm::serveAsQueue()
{
    PlayController &controller = PlayController::instance();
    controller.setQueue(this);
    connect(&controller, &PlayController::restCounted, this,
            [this](qsizetype rest) { NaviFile->setText(QString::number(rest)); });
}

PlayListForm::~PlayListForm()
{
    PlayController::instance().setQueue(nullptr, this);
}

QString PlayListForm::head() const
{
    return PlayList->at(0);
}

// The path box no longer shows a file that left the list.
void PlayListForm::dropHead()
{
    if (FilePosition->text() == head()) {
        clearFilePosition();
    }
    PlayList->removeAt(0);
}

void PlayListForm::pushFront(const QString &path)
{
    PlayList->insert(0, path);
}

void PlayListForm::renew()
{
    PlayListRenewal();
}

qsizetype PlayListForm::count() const
{
    return PlayList->count();
}

bool PlayListForm::hasFolders() const
{
    return !FolderList.isEmpty();
}
