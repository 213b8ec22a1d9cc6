#pragma once

#include <cstdint>

class QWidget;

// Stacking of the player's windows. Every mode also shows the window.
namespace WindowTopModule {

enum StackingMode : std::int16_t {
    NotTopmost = 0, // no longer above all other windows
    Topmost = 1,    // above every window that is not itself kept on top
    Top = 2,        // to the top of its level
    Bottom = 3,     // to the bottom; loses the kept-on-top state
};

// Returns non-zero when the mode was applied, 0 for a mode outside 0..3.
int WindowTop(QWidget &form, std::int16_t mode);

} // namespace WindowTopModule
