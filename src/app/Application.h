#pragma once

class QApplication;

namespace Application {

// Before the QApplication exists: a skinned, stacked window needs X11, so a
// Wayland session runs the player through XWayland unless the user chose.
void preferX11OnWayland();

// Standard buttons and dialogs in Japanese whatever the locale.
void installJapaneseTranslations(QApplication &app);

// Ends the program the way a normal end does: the main window's unload first,
// then whatever is still loaded.
void endProgramInOrder();

} // namespace Application
