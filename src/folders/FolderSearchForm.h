#pragma once

#include "core/Form.h"
#include "folders/FolderSearchWorker.h"

#include <QSet>
#include <QStringList>
#include <atomic>

class FolderListModel;
class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QPushButton;

// The folder search window: walks one drive for folders that directly hold
// playable files and hands the hits over to the play folders. The walk runs on
// a worker thread that posts its hits, so the window answers at once and the
// stop button stops it after the folder in hand; closing never waits for it.
class FolderSearchForm : public Form {
    Q_OBJECT
public:
    FolderSearchForm();
    ~FolderSearchForm() override;

    void Form_Load() override;
    void Form_Unload() override;

    void FSStart_Click();
    void SearchCancel_Click();
    void InfoSearchHitList_Click();
    void FHCancel_Click();
    void FSHelp_Click();
    void InfoFolderPosition_Change();
    void ExitFolderSearch_Click();
    void CancelFolderSearch_Click();

    bool searching() const { return worker_.running(); }

    QComboBox *SearchDrive = nullptr;
    QPushButton *FSStart = nullptr;
    QPushButton *SearchCancel = nullptr;
    QLabel *SearchInfoLabel = nullptr;
    QStringList SearchHitList; // full paths of the hits, each ending in "/"
    QListView *InfoSearchHitList = nullptr;
    QPushButton *FHCancel = nullptr;
    QListWidget *InfoPlayFile = nullptr;
    QLineEdit *InfoFolderPosition = nullptr;
    QPushButton *ExitFolderSearch = nullptr;
    QPushButton *CancelFolderSearch = nullptr;
    QPushButton *FSHelp = nullptr;
    QWidget *Picture1 = nullptr;
    QLabel *Image5 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label8 = nullptr;

    std::atomic<bool> SearchRunning = false;
    bool InfoFolderPositionLock = false;

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void connectHandlers();
    void setSearching(bool on);
    void takeHits(const QStringList &posted, bool done);
    void finishSearch();
    void leaveSearch();
    void showFiles(const QString &folder);
    void writeInfoFolderPosition(const QString &text);
    static void enableSetupWindow();

    FolderListModel *hits_ = nullptr;
    QSet<QString> hitSet_;
    QString shownPath_;
    FolderSearchWorker worker_{this, [this](const QStringList &hits, bool done) { takeHits(hits, done); }};
    bool droppingHit_ = false;
};
