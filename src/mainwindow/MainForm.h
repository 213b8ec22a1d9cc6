#pragma once

#include "app/Form.h"

// The player's main window.
class MainForm : public Form {
    Q_OBJECT
public:
    MainForm();

    void Form_Load() override;
    void Form_Unload() override;
};
