#pragma once

#include "app/Form.h"

class QLabel;
class QPushButton;

// Downloads and starts the update program.
class NewVersionForm : public Form {
    Q_OBJECT
public:
    NewVersionForm();

    void Form_Load() override;

    QLabel *ProgramNameLabel = nullptr;
    QLabel *VersionLabel = nullptr;
    QLabel *DLLabel = nullptr;
    QLabel *InfoLabel = nullptr;
    QPushButton *FileDLStart = nullptr;
    QPushButton *CancelNewVersion = nullptr;
};
