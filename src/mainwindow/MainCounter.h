#pragma once

#include <QString>

// "Rest : <rest> / <total> Files", the main window's counter.
QString restCounterText(qsizetype rest, qint64 total);
