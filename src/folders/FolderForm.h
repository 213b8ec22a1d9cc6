#pragma once

#include "app/Form.h"

// Registers the play folders and the waiting folders.
class FolderForm : public Form {
    Q_OBJECT
public:
    FolderForm();

    void Form_Load() override;
};
