#include "help/VersionForm.h"

VersionForm::VersionForm()
{
    setObjectName(QStringLiteral("VersionForm"));
    setWindowTitle(QStringLiteral("MIRAVELT Lyrabox 3 のバージョン情報"));
    resize(480, 320);
}

void VersionForm::Form_Load()
{
    show();
}
