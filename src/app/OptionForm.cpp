#include "app/OptionForm.h"

OptionForm::OptionForm()
{
    setObjectName(QStringLiteral("OptionForm"));
    setWindowTitle(QStringLiteral("プレイオプション"));
    resize(480, 320);
}

void OptionForm::Form_Load()
{
    show();
}
