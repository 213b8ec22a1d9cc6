#pragma once

class QApplication;

namespace Application {

// Before the QApplication exists: a skinned, stacked window needs X11, so a
// Wayland session runs the player through XWayland unless the user chose.
void preferX11OnWayland();

// Glyphs drawn from their outlines, unhinted: FreeType's auto-hinter, which fonts
// without hints of their own get, first measures a CJK font from hundreds of its
// glyphs, reading some 2 MiB of it before the splash can show.
void useUnhintedFonts();

// Standard buttons and dialogs in Japanese whatever the locale.
void installJapaneseTranslations(QApplication &app);

// Ends the program the way a normal end does: the main window's unload first,
// then whatever is still loaded.
void endProgramInOrder();

// The same, after the open message boxes have been closed unanswered and have
// returned to their handlers: no window is taken apart under a waiting box.
void endAfterOpenMessages();

// Runs the start-up (the splash window's load). Returns false when no window
// is left to run, so there is no event loop to enter.
bool startUp();

// An end asked for from outside (a signal, the end of the session). During the
// start-up it closes a message box that waits for an answer and ends the
// program once the start-up is through; later it ends the program at once.
void requestEnd();

} // namespace Application
