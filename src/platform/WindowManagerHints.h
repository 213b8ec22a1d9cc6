#pragma once

class QWindow;

namespace platform {

// Asks the window manager to keep a mapped window above the others, or to release it, in
// place: the window is neither recreated nor mapped again. False where the window system
// has no such request (not X11).
bool requestKeptAbove(const QWindow &window, bool above);

} // namespace platform
