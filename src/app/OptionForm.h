#pragma once

#include "app/Form.h"

// Every setting of the player.
class OptionForm : public Form {
    Q_OBJECT
public:
    OptionForm();

    void Form_Load() override;
};
