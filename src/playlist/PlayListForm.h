#pragma once

#include "app/Form.h"
#include "playlist/PathListModel.h"

#include <QStringList>

class QAction;
class QLabel;
class QLineEdit;
class QListView;

// The play list window: owner of the play folders, the waiting folders and the
// shuffled queue of files still to play. Loaded for the whole run; OK hides it.
class PlayListForm : public Form {
    Q_OBJECT
public:
    PlayListForm();

    void Form_Load() override;
    void Form_Unload() override;

    // Rebuilds the queue from every play folder and shuffles it.
    void PlayListRenewal();

    QStringList FolderList;
    QStringList FolderWaitList;
    PathListModel *PlayList = nullptr; // entry 0 plays next
    QListView *OpenPlayList = nullptr; // shows PlayList
    QLineEdit *FilePosition = nullptr;
    QLabel *NaviFile = nullptr;
    QLabel *NaviAllFile = nullptr;
    QLabel *NaviFolder = nullptr;

    // Play modes: check marks of the menu items, twins kept equal.
    QAction *AllMusicRepeat = nullptr;
    QAction *AllMusicRepeat2 = nullptr;
    QAction *OneMusicRepeat = nullptr;
    QAction *OneMusicRepeat2 = nullptr;
    QAction *ThisMusicExit = nullptr;
    QAction *ThisMusicExit2 = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;
};
