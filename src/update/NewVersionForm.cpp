#include "update/NewVersionForm.h"

#include "core/DateText.h"
#include "core/FormRegistry.h"
#include "core/ProgramVersion.h"
#include "core/RegistryModule.h"
#include "platform/Clock.h"
#include "platform/Launcher.h"
#include "platform/MessageBox.h"
#include "platform/Transfer.h"
#include "update/DownloadTexts.h"
#include "update/SignatureCheck.h"
#include "update/UpdateFile.h"
#include "update/UpdateServer.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

using namespace RegistryModule;

NewVersionForm::NewVersionForm()
{
    setObjectName(QStringLiteral("NewVersionForm"));
    setWindowTitle(QStringLiteral("最新のプログラムのダウンロード"));
    publisherKey_ = UpdateServer::publisherKey();
    createControls();
    Inet = new platform::Transfer(this);
    Inet->setObjectName(QStringLiteral("Inet"));
    connect(Inet, &platform::Transfer::StateChanged, this, &NewVersionForm::Inet_StateChanged);
    connect(FileDLStart, &QPushButton::clicked, this, &NewVersionForm::FileDLStart_Click);
    connect(CancelNewVersion, &QPushButton::clicked, this, &NewVersionForm::CancelNewVersion_Click);
}

void NewVersionForm::createControls()
{
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
    VersionLabel = new QLabel(QStringLiteral("-.-.-"), this);
    VersionLabel->setObjectName(QStringLiteral("VersionLabel"));
    DLLabel = new QLabel(QStringLiteral("未確認"), this);
    DLLabel->setObjectName(QStringLiteral("DLLabel"));
    InfoLabel = new QLabel(this);
    InfoLabel->setObjectName(QStringLiteral("InfoLabel"));
    InfoLabel->setWordWrap(true);
    InfoLabel->setMinimumHeight(3 * InfoLabel->fontMetrics().lineSpacing());
    InfoLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
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
    resize(460, 280);
}

void NewVersionForm::Form_Load()
{
    VersionLabel->setText(ProgramVersion::text());
    InfoLabel->setText(QStringLiteral("ダウンロードを開始します。[ダウンロード]をクリックしてください。"));
    show();
}

void NewVersionForm::FileDLStart_Click()
{
    if (CloseOnClick == 1) {
        closeByUser();
        return;
    }
    FileDLStart->setEnabled(false);
    CancelNewVersion->setEnabled(false);
    UpdateServer::configure(*Inet);
    busy_ = true;
    QPointer<NewVersionForm> alive(this);
    const QString status = Inet->OpenURL(UpdateServer::statusUrl());
    if (!alive) {
        return;
    }
    if (status == QStringLiteral("Ready")) {
        if (!download()) {
            return;
        }
    } else if (status == QStringLiteral("NoReady")) {
        serviceUnavailable();
    } else {
        showFailure(DownloadTexts::unreachable());
    }
    busy_ = false;
    if (closeWhenDone_) {
        closeByUser();
    }
}

// A close or the end of the program may have come while the window waited.
bool NewVersionForm::stillWanted()
{
    return !closeWhenDone_ && FormRegistry::instance().isLoaded(this);
}

bool NewVersionForm::download()
{
    UpdateFile::removeOld();
    DownloadStarted = true;
    DownloadSize = 0;
    DownloadFailed = false;
    QPointer<NewVersionForm> alive(this);
    QCoreApplication::processEvents();
    if (!alive || !FormRegistry::instance().isLoaded(this)) {
        return false;
    }
    if (closeWhenDone_) {
        return true;
    }
    if (publisherKey_.isEmpty()) {
        showFailure(DownloadTexts::noKey());
        return true;
    }
    const std::optional<QByteArray> program = fetchProgram();
    if (!alive || !FormRegistry::instance().isLoaded(this)) {
        return false;
    }
    if (!program) {
        showFailure(DownloadTexts::retry());
        Inet->Cancel();
        return true;
    }
    return installSigned(*program);
}

bool NewVersionForm::installSigned(const QByteArray &program)
{
    QPointer<NewVersionForm> alive(this);
    const QByteArray signature =
        Inet->OpenURLBytes(UpdateServer::signatureUrl(), UpdateServer::MaxSignatureBytes);
    if (!alive || !FormRegistry::instance().isLoaded(this)) {
        return false;
    }
    // Nothing is written that its publisher has not signed.
    if (!stillWanted() || Inet->failed() || !signedByPublisher(program, signature, publisherKey_)) {
        showFailure(DownloadTexts::notSigned());
        return true;
    }
    if (!UpdateFile::install(program)) {
        showFailure(DownloadTexts::retry());
        return true;
    }
    return startUpdate();
}

std::optional<QByteArray> NewVersionForm::fetchProgram()
{
    downloading_ = true;
    QPointer<NewVersionForm> alive(this);
    QByteArray program = Inet->OpenURLBytes(UpdateServer::downloadUrl());
    if (!alive) {
        return std::nullopt;
    }
    downloading_ = false;
    // A failed transfer or a missing "Content-length" must not pass as a complete program.
    const bool complete = !Inet->failed() && !DownloadFailed &&
                          !Inet->GetHeader(QStringLiteral("Content-length")).isEmpty() &&
                          program.size() == DownloadSize;
    if (!complete || !stillWanted()) {
        return std::nullopt;
    }
    return program;
}

bool NewVersionForm::startUpdate()
{
    QString error;
    if (platform::launchProgram(UpdateFile::path(), &error)) {
        FormRegistry::instance().unload(this);
        return false;
    }
    // A home on a noexec mount, or a published file that is no program: say so, and go on.
    platform::showMessage(
        this, {QStringLiteral("アップデートプログラムを起動できませんでした。\r\n") +
                   QDir::toNativeSeparators(UpdateFile::path()) + QStringLiteral(" : ") + error,
               QStringLiteral("起動エラー"), platform::MessageIcon::Critical, platform::MessageButtons::Ok});
    closeByUser();
    return false;
}

void NewVersionForm::serviceUnavailable()
{
    InfoLabel->setText(QStringLiteral("現在、アップデートサービスを利用できません。"));
    CancelNewVersion->hide();
    FileDLStart->setText(QStringLiteral("閉じる"));
    CloseOnClick = 1;
    FileDLStart->setEnabled(true);
    SetRegString(HKEY_LOCAL_MACHINE, InstallKey, Release, QString());
    SetRegString(HKEY_LOCAL_MACHINE, InstallKey, LastUP, DateText::format(platform::today()));
}

void NewVersionForm::showFailure(const QString &text)
{
    InfoLabel->setText(text);
    CancelNewVersion->setEnabled(true);
    FileDLStart->setEnabled(true);
    goOnWithout();
    // The failure stays in sight above whatever came up meanwhile.
    raise();
}

void NewVersionForm::Inet_StateChanged(qint16 state)
{
    if (!DownloadStarted) {
        return;
    }
    const QString text = DownloadTexts::forState(state);
    if (!text.isEmpty()) {
        InfoLabel->setText(text);
    }
    // The size and the error belong to the download, not to the status query before it.
    if (state == platform::Transfer::ResponseReceived && downloading_) {
        DownloadSize = Inet->GetHeader(QStringLiteral("Content-length")).toInt();
        DLLabel->setText(DownloadTexts::kilobytes(DownloadSize));
    } else if (state == platform::Transfer::Error) {
        CancelNewVersion->setEnabled(true);
        DownloadFailed = DownloadFailed || downloading_;
    }
}

void NewVersionForm::CancelNewVersion_Click()
{
    closeByUser();
}

void NewVersionForm::closeByUser()
{
    if (!FormRegistry::instance().isLoaded(this)) {
        return; // the program is ending
    }
    // Whoever waits for the outcome goes on before this window is gone.
    goOnWithout();
    FormRegistry::instance().unload(this);
}

void NewVersionForm::goOnWithout()
{
    if (FormRegistry::instance().isLoaded(this)) {
        emit updateDeferred();
    }
}

void NewVersionForm::closeEvent(QCloseEvent *event)
{
    event->ignore();
    if (busy_) {
        closeWhenDone_ = true;
        Inet->Cancel();
        return;
    }
    closeByUser();
}

void NewVersionForm::Form_Unload()
{
    Inet->Cancel();
}
