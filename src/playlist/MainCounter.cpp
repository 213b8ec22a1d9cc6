#include "playlist/MainCounter.h"

#include "core/FormRegistry.h"
#include "core/SystemDataBox.h"
#include "mainwindow/MainForm.h"

#include <QLabel>

QString restCounterText(qsizetype rest, qint64 total)
{
    return QStringLiteral("Rest : %1 / %2 Files").arg(rest).arg(total);
}

void showRestCounter(qsizetype rest, qint64 total)
{
    if (!sys().MainFormLoaded) {
        return;
    }
    if (MainForm *main = FormRegistry::instance().find<MainForm>()) {
        main->FileStatusLabel->setText(restCounterText(rest, total));
    }
}
