#pragma once

#include "core/Form.h"

class QLabel;
class QPushButton;

// The about window: the program's name and version and a link to the maker's site.
class VersionForm : public Form {
    Q_OBJECT
public:
    VersionForm();

    void Form_Load() override;
    void SiteAccess_Click();
    void UnloadVersion_Click();

    QLabel *Picture1 = nullptr;
    QLabel *Image2 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *VersionLabel = nullptr;
    QLabel *MakerNotice = nullptr;
    QPushButton *SiteAccess = nullptr;
    QPushButton *UnloadVersion = nullptr;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void createControls();
};
