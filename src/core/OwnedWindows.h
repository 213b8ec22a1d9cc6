#pragma once

// The main window may be kept above all others, and it is disabled while a dialog is open, so
// it cannot even be dragged aside: nothing the program opens may end up under it. While the
// main window shows, every other window and message box belongs to it, and the window manager
// keeps a window above its owner, at its owner's level. A message box with no main window to
// belong to (a second start, the start-up) is kept on top by itself.
namespace OwnedWindows {

// Takes effect for every window shown from then on; installing again changes nothing.
void install();

} // namespace OwnedWindows
