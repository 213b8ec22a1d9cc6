#pragma once

#include <QString>

// "Rest : <rest> / <total> Files", the main window's counter.
QString restCounterText(qsizetype rest, qint64 total);

// Writes the counter into the main window once it has finished loading;
// before that there is nothing to write.
void showRestCounter(qsizetype rest, qint64 total);
