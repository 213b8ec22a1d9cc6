#include "folders/FolderForm.h"

FolderForm::FolderForm()
{
    setObjectName(QStringLiteral("FolderForm"));
    setWindowTitle(QStringLiteral("フォルダリスト セットアップ"));
    resize(480, 320);
}

void FolderForm::Form_Load()
{
    show();
}
