#pragma once

#include "core/Form.h"

#include <QString>
#include <cstdint>

class DirectoryList;
class FolderListModel;
class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// The folder set-up window: the play folders and the waiting folders of the
// play list window, shown as twins through models, and a drive and folder
// browser whose highlighted folder the register command takes.
class FolderForm : public Form {
    Q_OBJECT
public:
    FolderForm();

    void Form_Load() override;
    void Form_Unload() override;

    // The hidden lists FolderList and FolderWaitList, through their twins' models.
    FolderListModel *playFolders() const { return playFolders_; }
    FolderListModel *waitFolders() const { return waitFolders_; }

    void FolderRegistration_Click();
    void FolderListAppearance_Click();
    void FolderWaitListAppearance_Click();
    void FolderChangeImplementation_Click();
    void FolderOut_Click();
    void FolderInfo_Click();
    void FolderListView_Click();
    void PSHelp_Click();
    void FolderPosition_Change();
    void OpenPlayList_Click();
    void OpenFolderSearch_Click();
    void ExitFolderSetup_Click();

    // The browser.
    void DriveMenu_Change();
    void DirMenu_Change();
    // A double click or Enter on a directory entry.
    void DirMenu_DblClick();
    // Fills the drive list again from the mounted volumes.
    void refreshDrives();
    // Makes a folder the directory list's current one; false (nothing changed)
    // when it cannot be listed.
    bool setDirectory(const QString &path);

    QListView *FolderListAppearance = nullptr;
    QListView *FolderWaitListAppearance = nullptr;
    QPushButton *FolderChangeImplementation = nullptr;
    QPushButton *FolderOut = nullptr;
    QPushButton *FolderInfo = nullptr;
    QPushButton *FolderRegistration = nullptr;
    QPushButton *FolderListView = nullptr;
    QPushButton *OpenPlayList = nullptr;
    QPushButton *OpenFolderSearch = nullptr;
    QPushButton *PSHelp = nullptr;
    QPushButton *ExitFolderSetup = nullptr;
    QWidget *FolderView = nullptr;
    QComboBox *DriveMenu = nullptr;
    DirectoryList *DirMenu = nullptr;
    QListWidget *FileMenu = nullptr;
    QLineEdit *FolderPosition = nullptr;
    QWidget *TitleArea = nullptr;
    QLabel *Image5 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label8 = nullptr;

    std::uint8_t SelectedFolderList = 0; // 1 play folders, 2 waiting folders
    bool FolderEditReady = false;
    QString SelectedFolderPath;
    bool FolderPositionLock = false;

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createLists();
    void createCommands();
    void createBrowser();
    void connectHandlers();
    void attachLists();

    void selectEntry(std::uint8_t list);
    void resetEditCommands();
    bool FolderList_KeyDown(int key);
    QListView *selectedView() const;
    static qsizetype selectedRow(const QListView *view);
    static void renewPlayList();
    template <class Change> void changeLists(QListView *losingRows, Change change);

    QString highlightedDirectory() const;
    void showStartFolder();
    bool showFiles(const QString &folder);
    void writeFolderPosition(const QString &text);
    void selectDriveOf(const QString &path);

    FolderListModel *playFolders_ = nullptr;
    FolderListModel *waitFolders_ = nullptr;
    QString fileMenuFolder_;
    QString shownPath_; // what the program last wrote into FolderPosition
    bool wide_ = false;
    bool drivesFilling_ = false;
    // The program is changing the lists: selections that follow are not clicks.
    bool listsChanging_ = false;
};
