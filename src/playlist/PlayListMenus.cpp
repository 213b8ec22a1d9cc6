#include "playlist/PlayListForm.h"

#include <QMenu>

void PlayListForm::createMenus()
{
    ComMenu = new QMenu(QStringLiteral("Menu"), this);
    ComMenu->setObjectName(QStringLiteral("ComMenu"));
    ComMenu2 = new QMenu(QStringLiteral("Menu2"), this);
    ComMenu2->setObjectName(QStringLiteral("ComMenu2"));
}

void PlayListForm::PopupMenu(QMenu *menu, const QPoint &globalPos)
{
    menu->popup(globalPos);
}
