#include "playlist/MainCounter.h"

#include "app/FormRegistry.h"
#include "app/SystemDataBox.h"
#include "mainwindow/MainForm.h"

#include <QLabel>

void showRestCounter(qsizetype rest, qint64 total)
{
    if (!sys().MainFormLoaded) {
        return;
    }
    MainForm *main = FormRegistry::instance().find<MainForm>();
    QLabel *label = main != nullptr ? main->findChild<QLabel *>(QStringLiteral("FileStatusLabel")) : nullptr;
    if (label != nullptr) {
        label->setText(QStringLiteral("Rest : %1 / %2 Files").arg(rest).arg(total));
    }
}
