#pragma once

#include "core/Form.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
struct SettingsChange;

// Every setting of the player.
class OptionForm : public Form {
    Q_OBJECT
public:
    OptionForm();

    void Form_Load() override;
    void DisplayTextColor_Click();
    void FileSystemAdvise_Click();
    void SystemAdvice_Click();
    void ExitFolderSetup_Click();
    void ExitSetup_Click();

    QCheckBox *WindowsAutoWakeup = nullptr;
    QCheckBox *WakeupAutoPlay = nullptr;
    QCheckBox *PlayListBackUp = nullptr;
    QCheckBox *PlayEndMode = nullptr;
    QCheckBox *TrackNotice = nullptr;
    QCheckBox *EvenLoudness = nullptr;
    QListWidget *FileSystemList = nullptr;
    QPushButton *FileSystemAdvise = nullptr;
    QCheckBox *TitleToolTipInfo = nullptr;
    QCheckBox *TitleScrollInfo = nullptr;
    QCheckBox *InfoCover = nullptr;
    QComboBox *DisplayTextColor = nullptr;
    QLabel *LabelImageText = nullptr;
    QComboBox *LeftCMS = nullptr;
    QComboBox *RightCMS = nullptr;
    QComboBox *MiddleCMS = nullptr;
    QComboBox *TaskLCMS = nullptr;
    QComboBox *DownWinCC = nullptr;
    QPushButton *ExitFolderSetup = nullptr;
    QPushButton *ExitSetup = nullptr;
    QPushButton *SystemAdvice = nullptr;

protected:
    bool event(QEvent *event) override;

private:
    void buildControls();
    void selectAllFileGroups();
    // Each writes its settings and notes for the windows what they show.
    void storeFileGroups(SettingsChange &change);
    void storeTitleSettings(SettingsChange &change);
    void storeLampSettings(SettingsChange &change);
    void storeMenuSettings();
    QString chosenColour() const;

    // A colour value the list has no entry for, kept until an entry is chosen.
    QString ownColour_;
};
