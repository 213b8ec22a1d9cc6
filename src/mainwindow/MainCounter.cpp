#include "mainwindow/MainCounter.h"

QString restCounterText(qsizetype rest, qint64 total)
{
    return QStringLiteral("Rest : %1 / %2 Files").arg(rest).arg(total);
}
