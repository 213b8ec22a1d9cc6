#include "playlist/PlayListForm.h"

#include <QLabel>
#include <QLineEdit>

void PlayListForm::showRest(qsizetype rest)
{
    NaviFile->setText(QString::number(rest));
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
