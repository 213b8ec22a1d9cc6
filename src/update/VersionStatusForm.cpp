#include "update/VersionStatusForm.h"

#include "app/FormRegistry.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

VersionStatusForm::VersionStatusForm()
{
    setObjectName(QStringLiteral("VersionStatusForm"));
    setWindowTitle(QStringLiteral("最新のバージョンの確認"));
    auto *layout = new QVBoxLayout(this);
    auto *heading = new QLabel(QStringLiteral("最新のバージョンの確認"), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    layout->addWidget(heading);
    auto *explanation =
        new QLabel(QStringLiteral("MIRAVELT アップデートセンターに接続して、プログラムの最新の"
                                  "バージョンを確認します。インターネットに接続後、[バージョンの確認]を"
                                  "クリックしてください。"),
                   this);
    explanation->setWordWrap(true);
    layout->addWidget(explanation);
    layout->addWidget(new QLabel(QStringLiteral("ステータス :"), this));
    StatusList = new QListWidget(this);
    StatusList->setObjectName(QStringLiteral("StatusList"));
    layout->addWidget(StatusList);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    VersionCheck = new QPushButton(QStringLiteral("バージョンの確認"), this);
    VersionCheck->setObjectName(QStringLiteral("VersionCheck"));
    ExitVerSta = new QPushButton(QStringLiteral("キャンセル"), this);
    ExitVerSta->setObjectName(QStringLiteral("ExitVerSta"));
    buttons->addWidget(VersionCheck);
    buttons->addWidget(ExitVerSta);
    layout->addLayout(buttons);
    resize(440, 300);
    connect(ExitVerSta, &QPushButton::clicked, this, [this] { FormRegistry::instance().unload(this); });
}

void VersionStatusForm::Form_Load()
{
    show();
}
