#pragma once

#include "core/Form.h"
#include "playback/PlayQueue.h"
#include "playlist/PathListModel.h"

#include <QByteArrayList>
#include <QStringList>

#include <functional>

class QAction;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QPushButton;
class MusicFolderWalker;
class TrayIcon;
struct MusicFolderWalk;
struct SettingsChange;

// The main window's lamps that show the play list's modes.
enum class ModeLamp { AllRepeat, OneRepeat, ThisMusicExit, WindowTopup };

// The play list window: owner of the play folders, the waiting folders and the
// shuffled queue of files still to play, which it serves to the play control.
// Loaded for the whole run; OK hides it.
class PlayListForm : public Form, public PlayQueue {
    Q_OBJECT
public:
    PlayListForm();

    // Reads the list files and deals a fresh play list (or restores the backup).
    void Form_Load() override;
    // Writes the list files.
    void Form_Unload() override;

    // Rebuilds the queue from every play folder and shuffles it. The folders are
    // walked on a worker; the window waits a moment for it, and a walk that takes
    // longer (a folder whose volume hangs) fills the list in when it ends.
    void PlayListRenewal();
    // Waits at most timeoutMs for a walk of the play folders still running. True
    // when none is left.
    bool finishRenewalWithin(int timeoutMs);
    // Empties the path box as the program's own write, which disables the edit buttons.
    void clearFilePosition();

    // Where the list file with this extension (".fllx3", ".fwllx3", ".flblx3")
    // of the current user lives.
    static QString listFilePath(const QString &extension);

    QStringList FolderList;
    QStringList FolderWaitList;
    // Folder-list lines that name no folder, written back unchanged.
    QByteArrayList unusableFolderLines;
    QByteArrayList unusableWaitLines;
    PathListModel *PlayList = nullptr; // entry 0 plays next
    PathStore MusicAllList;            // scratch of the shuffle, empty in between
    // The ";"-separated wildcards the lister takes (see PlayFilePattern); made
    // again when the options change the file groups.
    QString MusicFilePattern;

    QListView *OpenPlayList = nullptr; // shows PlayList
    QLineEdit *FilePosition = nullptr; // full path of the selected entry; written only by the program
    bool FilePositionLock = false;     // the program is writing FilePosition
    QLabel *NaviFile = nullptr;
    QLabel *NaviAllFile = nullptr;
    QLabel *NaviFolder = nullptr;

    QWidget *Picture1 = nullptr;
    QLabel *Image5 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label8 = nullptr;
    QPushButton *AllListRenewal = nullptr;
    QPushButton *PartListRenewal = nullptr;
    QPushButton *PlayCancelFile = nullptr;
    QPushButton *PlayUpFile = nullptr;
    QPushButton *PlayDownFile = nullptr;
    QPushButton *PLHelp = nullptr;
    QPushButton *ExitPlayList = nullptr;

    // The two pop-up menus of the main window's menu button: items grouped in
    // submenus, and nearly all at one level.
    QMenu *ComMenu = nullptr;
    QMenu *ComMenu2 = nullptr;
    // Pops one of the two menus up at a point of the screen.
    void PopupMenu(QMenu *menu, const QPoint &globalPos);
    // Pops up the menu a mouse-button setting names: 0 the flat one, 1 the grouped one.
    void PopupChosenMenu(int choice, const QPoint &globalPos);

    // Play modes: check marks of the menu items. Each item is one action shown in
    // both menus; the flat menu's name for it (…2) is the same action.
    QAction *AllMusicRepeat = nullptr;
    QAction *AllMusicRepeat2 = nullptr;
    QAction *OneMusicRepeat = nullptr;
    QAction *OneMusicRepeat2 = nullptr;
    QAction *ThisMusicExit = nullptr;
    QAction *ThisMusicExit2 = nullptr;
    QAction *WindowTopup = nullptr;
    QAction *WindowTopup2 = nullptr;

    bool topmostChosen() const;
    // Takes the always-on-top mark off without announcing it: the main window is
    // going to the bottom of its own accord.
    void dropTopmostMark();

    // Hides the main window into the tray; with no tray the window stays.
    void TasktrayStart();
    // Removes the tray icon; it does not show the main window.
    void TasktrayEnd();

    // Its caption names the time display the next click switches to.
    QAction *DisplayTimeSet = nullptr;
    QAction *DisplayTimeSet2 = nullptr;

    // Opens the folder set-up as its menu item does.
    void openFolderSetup();
    // The files left to play, as the play control counts them.
    void showRest(qsizetype rest);

    // Cancels a pending close-after-this-track, and says so.
    void ThisMusicExitInfo();

    // Menu commands, run by an item from either menu. A checkable item has
    // already flipped its own mark when its command runs.
    void FolderSetupMenu_Click();
    void PlayListMenu_Click();
    void AllListRenewalMenu_Click();
    void PartListRenewalMenu_Click();
    void WindowTopup_Click();
    void DisplayTimeSet_Click();
    void PlayOption_Click();
    void AllMusicRepeat_Click();
    void OneMusicRepeat_Click();
    void ThisMusicExit_Click();
    void VersionInfo_Click();
    void NewVersionMenu_Click();

    void AllListRenewal_Click();
    void PartListRenewal_Click();
    void OpenPlayList_Click();
    void FilePosition_Change();
    void PlayUpFile_Click();
    void PlayDownFile_Click();
    void PlayCancelFile_Click();
    void ExitPlayList_Click();
    void PLHelp_Click();

signals:
    // What the main window shows of this window; it lies above and listens.
    void restCountChanged(qsizetype rest, qint64 total);
    void modeLampChanged(ModeLamp lamp, bool on);
    void topmostChanged(bool onTop);
    // A left click on the tray icon set to play and stop.
    void trayPlayStopPressed();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createHeader();
    void createCounts();
    void createButtons();
    void createListArea();
    void createPlayModes();
    // The mode items' marks and the play modes stay one.
    void followPlayModes();
    void createMenus();
    void fillMenu(QMenu *top, bool flat);
    QAction *commandAction(QMenu *menu, const QString &name, const QString &caption);
    void connectCommands();
    void connectHandlers();

    void walkPlayFolders(std::function<void(MusicFolderWalk &)> use);
    void dealMusicAllList();
    // The full renewal's counts without its shuffle, for a list restored from the backup.
    void countMusicFiles();
    void showWalkedCounts();
    void showCounts();
    void restoreBackupList();
    void settingsChanged(const SettingsChange &change);
    void saveLists();

    qsizetype selectedIndex() const;
    void updateEditButtons();
    bool OpenPlayList_KeyDown(int key);
    // Clears a mode's marks and lamp; true when it was on.
    bool clearMode(QAction *mode, ModeLamp lamp);

    TrayIcon &trayIcon();
    void trayIcon_LeftPress();
    void leaveTray();

    // The queue the play control takes files from.
    QString head() const override;
    void dropHead() override;
    void pushFront(const QString &path) override;
    void renew() override;
    qsizetype count() const override;
    bool hasFolders() const override;

    TrayIcon *tray_ = nullptr;
    MusicFolderWalker *walker_ = nullptr;
    // The text the program last wrote, put back when anything else changes it.
    QString shownPath_;
};
