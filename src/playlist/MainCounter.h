#pragma once

#include <QtGlobal>

// Writes "Rest : <rest> / <total> Files" into the main window's counter, once
// the main window has finished loading; before that there is nothing to write.
void showRestCounter(qsizetype rest, qint64 total);
