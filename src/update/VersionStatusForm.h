#pragma once

#include "app/Form.h"

class QListWidget;
class QPushButton;

// Asks the update server whether a newer revision exists.
class VersionStatusForm : public Form {
    Q_OBJECT
public:
    VersionStatusForm();

    void Form_Load() override;

    QListWidget *StatusList = nullptr;
    QPushButton *VersionCheck = nullptr;
    QPushButton *ExitVerSta = nullptr;
};
