#pragma once

#include "app/Form.h"

// The about window.
class VersionForm : public Form {
    Q_OBJECT
public:
    VersionForm();

    void Form_Load() override;
};
