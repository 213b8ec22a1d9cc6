#include "playlist/PlayListForm.h"

#include "core/SystemDataBox.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

qsizetype PlayListForm::selectedIndex() const
{
    const QModelIndexList rows = OpenPlayList->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void PlayListForm::OpenPlayList_Click()
{
    FilePositionLock = true;
    FilePosition->setText(PlayList->at(selectedIndex()));
    FilePositionLock = false;
    // The text stays the same when another copy of the path is selected.
    updateEditButtons();
}

void PlayListForm::FilePosition_Change()
{
    if (FilePositionLock) {
        shownPath_ = FilePosition->text();
        updateEditButtons();
        FilePositionLock = false;
        return;
    }
    // Not the program's own write: put the program's text back.
    FilePositionLock = true;
    FilePosition->setText(shownPath_);
}

void PlayListForm::updateEditButtons()
{
    const qsizetype i = selectedIndex();
    const bool shown = !FilePosition->text().isEmpty() && i >= 0;
    PlayCancelFile->setEnabled(shown);
    PlayUpFile->setEnabled(shown && i > 0);
    PlayDownFile->setEnabled(shown && i < PlayList->count() - 1);
}

void PlayListForm::PlayUpFile_Click()
{
    const qsizetype i = selectedIndex();
    if (i < 1) {
        return;
    }
    // The selection follows the moved row.
    PlayList->swapWithNext(i - 1);
    updateEditButtons();
}

void PlayListForm::PlayDownFile_Click()
{
    const qsizetype i = selectedIndex();
    if (i < 0 || i > PlayList->count() - 2) {
        return;
    }
    PlayList->swapWithNext(i);
    updateEditButtons();
}

void PlayListForm::PlayCancelFile_Click()
{
    const qsizetype i = selectedIndex();
    if (i < 0) {
        return;
    }
    // Dropping the selection first clears the path box and the buttons.
    OpenPlayList->selectionModel()->clear();
    PlayList->removeAt(i);
    clearFilePosition();
    emit restCountChanged(PlayList->count(), sys().TotalFiles);
    NaviFile->setText(QString::number(PlayList->count()));
}

bool PlayListForm::OpenPlayList_KeyDown(int key)
{
    QPushButton *target = nullptr;
    switch (key) {
    case Qt::Key_Delete:
        target = PlayCancelFile;
        break;
    case Qt::Key_U:
        target = PlayUpFile;
        break;
    case Qt::Key_D:
        target = PlayDownFile;
        break;
    default:
        return false;
    }
    if (target->isEnabled()) {
        target->click();
    }
    // Swallowed either way: the list's type-ahead would move the selection.
    return true;
}

bool PlayListForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == OpenPlayList && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        // The keypad's Delete and a capital U or D are the same keys.
        const Qt::KeyboardModifiers ignored = Qt::KeypadModifier | Qt::ShiftModifier;
        if ((key->modifiers() & ~ignored) == Qt::NoModifier && OpenPlayList_KeyDown(key->key())) {
            return true;
        }
    }
    return Form::eventFilter(watched, event);
}
