#include "update/NewVersionForm.h"

#include "app/FormRegistry.h"
#include "app/ProgramVersion.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

NewVersionForm::NewVersionForm()
{
    setObjectName(QStringLiteral("NewVersionForm"));
    setWindowTitle(QStringLiteral("最新のプログラムのダウンロード"));
    auto *layout = new QVBoxLayout(this);
    auto *heading = new QLabel(QStringLiteral("最新のプログラムのダウンロード"), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    layout->addWidget(heading);
    auto *explanation = new QLabel(
        QStringLiteral(
            "新しいバージョンのプログラムが公開されています。今すぐに、ダウンロードを行ってください。"),
        this);
    explanation->setWordWrap(true);
    layout->addWidget(explanation);

    auto *facts = new QFormLayout;
    ProgramNameLabel = new QLabel(QStringLiteral("Lyrabox 3"), this);
    ProgramNameLabel->setObjectName(QStringLiteral("ProgramNameLabel"));
    VersionLabel = new QLabel(ProgramVersion::text(), this);
    VersionLabel->setObjectName(QStringLiteral("VersionLabel"));
    DLLabel = new QLabel(QStringLiteral("未確認"), this);
    DLLabel->setObjectName(QStringLiteral("DLLabel"));
    InfoLabel = new QLabel(this);
    InfoLabel->setObjectName(QStringLiteral("InfoLabel"));
    facts->addRow(QStringLiteral("プログラム名 :"), ProgramNameLabel);
    facts->addRow(QStringLiteral("ご使用のバージョン :"), VersionLabel);
    facts->addRow(QStringLiteral("ダウンロード容量 :"), DLLabel);
    facts->addRow(QStringLiteral("インフォメーション :"), InfoLabel);
    layout->addLayout(facts);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    FileDLStart = new QPushButton(QStringLiteral("ダウンロード"), this);
    FileDLStart->setObjectName(QStringLiteral("FileDLStart"));
    CancelNewVersion = new QPushButton(QStringLiteral("キャンセル"), this);
    CancelNewVersion->setObjectName(QStringLiteral("CancelNewVersion"));
    buttons->addWidget(FileDLStart);
    buttons->addWidget(CancelNewVersion);
    layout->addLayout(buttons);
    resize(440, 260);
    connect(CancelNewVersion, &QPushButton::clicked, this, [this] { FormRegistry::instance().unload(this); });
}

void NewVersionForm::Form_Load()
{
    show();
}
