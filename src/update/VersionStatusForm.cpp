#include "update/VersionStatusForm.h"

#include "core/DateText.h"
#include "core/FormRegistry.h"
#include "core/ProgramVersion.h"
#include "core/RegistryModule.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/PlayerLoad.h"
#include "platform/Clock.h"
#include "platform/Transfer.h"
#include "update/NewVersionForm.h"
#include "update/UpdateServer.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

using namespace RegistryModule;

namespace {

const QStringList unreachableLines{
    QStringLiteral("インターネットへの接続が適切でないか、又は、"),
    QStringLiteral("アップデートセンターが停止している可能性があります。"),
};

QString programLine()
{
    return QStringLiteral("プログラム : Lyrabox 3");
}

QString versionLine()
{
    return QStringLiteral("バージョン : ") + ProgramVersion::text();
}

} // namespace

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
    auto *separator = new QFrame(this);
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);
    layout->addWidget(separator);
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
    resize(440, 320);

    Inet = new platform::Transfer(this);
    Inet->setObjectName(QStringLiteral("Inet"));
    connect(VersionCheck, &QPushButton::clicked, this, &VersionStatusForm::VersionCheck_Click);
    connect(ExitVerSta, &QPushButton::clicked, this, &VersionStatusForm::ExitVerSta_Click);
}

void VersionStatusForm::Form_Load()
{
    addLines({QStringLiteral("-- ソフトウェア情報 --"), programLine(), versionLine(), QString(),
              QStringLiteral("※個人を特定できる情報は、一切送信されません。")});
    show();
}

void VersionStatusForm::addLines(const QStringList &lines)
{
    StatusList->addItems(lines);
}

void VersionStatusForm::VersionCheck_Click()
{
    if (CloseOnClick == 1) {
        CloseOnClick = 0;
        closeByUser();
        return;
    }
    VersionCheck->setEnabled(false);
    ExitVerSta->setEnabled(false);
    StatusList->clear();
    addLines(
        {programLine(), versionLine(), QStringLiteral("MIRAVELT アップデートセンターに接続しています...")});
    UpdateServer::configure(*Inet);
    checking_ = true;
    if (!runCheck()) {
        return;
    }
    checking_ = false;
    if (closeWhenDone_) {
        closeByUser();
    }
}

bool VersionStatusForm::runCheck()
{
    QPointer<VersionStatusForm> alive(this);
    const QString status = Inet->OpenURL(UpdateServer::statusUrl());
    if (!alive) {
        return false;
    }
    if (status == QStringLiteral("Ready")) {
        addLines({QStringLiteral("接続しました。"), QStringLiteral("最新のバージョンを確認しています...")});
        const QString version = Inet->OpenURL(UpdateServer::versionUrl());
        if (!alive) {
            return false;
        }
        if (version == QStringLiteral("Update")) {
            handOverToDownload();
            return false;
        }
        if (version == QStringLiteral("OK")) {
            addLines({QStringLiteral("このプログラムは、最新のバージョンです。"),
                      QStringLiteral("アップデートの必要は、ありません。")});
            SetRegString(HKEY_LOCAL_MACHINE, InstallKey, LastUP, DateText::format(platform::today()));
        } else {
            failCheck(QStringLiteral("通信中にエラーが発生しました。"));
        }
    } else if (status == QStringLiteral("NoReady")) {
        addLines({QStringLiteral("接続できませんでした。"),
                  QStringLiteral("現在、アップデートサービスを利用できません。")});
        SetRegString(HKEY_LOCAL_MACHINE, InstallKey, LastUP, DateText::format(platform::today()));
    } else {
        failCheck(QStringLiteral("接続できませんでした。"));
    }
    finishCheck();
    return true;
}

void VersionStatusForm::failCheck(const QString &firstLine)
{
    addLines(QStringList{firstLine} + unreachableLines);
    emit checkFailed();
}

void VersionStatusForm::handOverToDownload()
{
    FormRegistry &forms = FormRegistry::instance();
    forms.unload<MainForm>();
    auto &download = forms.load<NewVersionForm>();
    // The update stays announced; until it is installed the player stays reachable.
    connect(&download, &NewVersionForm::updateDeferred, &download, &loadPlayer);
    SetRegString(HKEY_LOCAL_MACHINE, InstallKey, Release, QStringLiteral("get"));
    forms.unload(this);
}

void VersionStatusForm::finishCheck()
{
    CloseOnClick = 1;
    VersionCheck->setText(QStringLiteral("閉じる"));
    VersionCheck->setEnabled(true);
    ExitVerSta->hide();
}

void VersionStatusForm::ExitVerSta_Click()
{
    closeByUser();
}

void VersionStatusForm::closeByUser()
{
    // Whoever waits for the outcome goes on before this window is gone.
    emit closedWithoutUpdate();
    FormRegistry::instance().unload(this);
}

void VersionStatusForm::closeEvent(QCloseEvent *event)
{
    event->ignore();
    if (checking_) {
        closeWhenDone_ = true;
        Inet->Cancel();
        return;
    }
    closeByUser();
}

void VersionStatusForm::Form_Unload()
{
    Inet->Cancel();
}
