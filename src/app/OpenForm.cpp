#include "app/OpenForm.h"

#include "core/DateText.h"
#include "core/FormRegistry.h"
#include "core/ProgramVersion.h"
#include "core/RandomSource.h"
#include "core/RegistryModule.h"
#include "core/SystemDataBox.h"
#include "mainwindow/PlayerLoad.h"
#include "mainwindow/WindowTopModule.h"
#include "platform/Artwork.h"
#include "platform/Clock.h"
#include "platform/InstanceLock.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"
#include "platform/Shell.h"
#include "platform/UserName.h"
#include "update/NewVersionForm.h"
#include "update/UpdateServer.h"
#include "update/VersionStatusForm.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

using namespace RegistryModule;

namespace {
constexpr int splashWidth = 400;
constexpr int splashHeight = 250;
} // namespace

OpenForm::OpenForm() : Form(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("OpenForm"));
    setWindowTitle(QStringLiteral("Lyrabox 3"));
    setFixedSize(splashWidth, splashHeight);

    SplashImage = new QLabel(this);
    SplashImage->setObjectName(QStringLiteral("SplashImage"));
    SplashImage->setGeometry(0, 0, splashWidth, splashHeight);
    SplashImage->setPixmap(platform::artworkPixmap(QStringLiteral(":/artwork/splash.png")));

    VersionLabel = new QLabel(QStringLiteral("バージョン : -.-.-"), this);
    VersionLabel->setObjectName(QStringLiteral("VersionLabel"));
    VersionLabel->setGeometry(24, 196, 240, 18);
    Label1 = new QLabel(QStringLiteral("For Linux desktops"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(24, 216, 240, 18);
    // A palette: a style sheet would bring in Qt's style sheet engine, its parser and a
    // style of its own, for one colour.
    QPalette text = palette();
    text.setColor(QPalette::WindowText, QColor(0xe8, 0xec, 0xf4));
    VersionLabel->setPalette(text);
    Label1->setPalette(text);
}

void OpenForm::Form_Load()
{
    if (refuseSecondInstance()) {
        return;
    }
    recordLogonName();
    seedRandom();
    noticeFirstRunOfRevision();
    VersionLabel->setText(QStringLiteral("バージョン : ") + ProgramVersion::text());
    if (const QScreen *screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    show();
    // The loads that follow keep the event loop away until the splash unloads.
    QCoreApplication::processEvents();
    takeWayOn();
}

bool OpenForm::refuseSecondInstance()
{
    platform::InstanceLock &lock = platform::programInstanceLock();
    QString error;
    switch (lock.acquire(&error)) {
    case platform::InstanceLock::Result::Acquired:
        return false;
    case platform::InstanceLock::Result::HeldByAnother:
        platform::showMessage(nullptr, {QStringLiteral("Lyrabox 3 は、すでに起動しています。\r\n"),
                                        QStringLiteral("多重起動エラー"), platform::MessageIcon::Exclamation,
                                        platform::MessageButtons::Ok});
        break;
    case platform::InstanceLock::Result::Failed:
        platform::showMessage(nullptr, {QStringLiteral("起動ロックを作成できませんでした。\r\n") +
                                            QDir::toNativeSeparators(platform::InstanceLock::defaultPath()) +
                                            QStringLiteral(" : ") + error,
                                        QStringLiteral("起動エラー"), platform::MessageIcon::Critical,
                                        platform::MessageButtons::Ok});
        break;
    }
    FormRegistry::instance().unload(this);
    return true;
}

void OpenForm::recordLogonName()
{
    sys().LoginUserName = platform::currentUserName();
}

void OpenForm::seedRandom()
{
    RandomSource::Randomize(static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch()));
}

void OpenForm::noticeFirstRunOfRevision()
{
    const QString revision = ProgramVersion::revisionText();
    if (GetRegString(HKEY_LOCAL_MACHINE, InstallKey, Revision) == revision) {
        return;
    }
    SetRegString(HKEY_LOCAL_MACHINE, InstallKey, Revision, revision);
    SetRegString(HKEY_LOCAL_MACHINE, InstallKey, LastUP, DateText::format(platform::today()));
    SetRegString(HKEY_LOCAL_MACHINE, InstallKey, Release, QString());
    const QString page = platform::programDataFile(QStringLiteral("welcome.html"));
    if (!platform::shellOpen(page)) {
        // Without a handler for web pages the person can still open it by hand.
        std::fprintf(stderr, "lyrabox3: no program opened the welcome page; it is at %s\n",
                     qUtf8Printable(page));
    }
}

bool OpenForm::versionCheckDue()
{
    // A build without an update server gets its updates elsewhere.
    if (UpdateServer::baseUrl().isEmpty()) {
        return false;
    }
    // An unreachable server is not asked again on every start either.
    const auto failed =
        DateText::parse(GetRegString(HKEY_LOCAL_MACHINE, InstallKey, UpdateServer::FailedCheckValue));
    if (failed && DateText::dayDistance(*failed, platform::today()) <= CheckIntervalDays) {
        return false;
    }
    const auto lastCheck = DateText::parse(GetRegString(HKEY_LOCAL_MACHINE, InstallKey, LastUP));
    if (!lastCheck) {
        // No usable date: count from today rather than nag on every start.
        SetRegString(HKEY_LOCAL_MACHINE, InstallKey, LastUP, DateText::format(platform::today()));
        return false;
    }
    return DateText::dayDistance(*lastCheck, platform::today()) > CheckIntervalDays;
}

// Tells the user why, opens the update window in place of the player and leaves.
template <class UpdateWindow> UpdateWindow &OpenForm::handOverTo(const QString &reason)
{
    platform::showMessage(this, {reason, QStringLiteral("アップデート情報"),
                                 platform::MessageIcon::Information, platform::MessageButtons::Ok});
    UpdateWindow &window = FormRegistry::instance().load<UpdateWindow>();
    FormRegistry::instance().unload(this);
    return window;
}

void OpenForm::takeWayOn()
{
    if (GetRegString(HKEY_LOCAL_MACHINE, InstallKey, Release) == QStringLiteral("get")) {
        auto &download =
            handOverTo<NewVersionForm>(QStringLiteral("新しいバージョンのプログラムが公開されています。\r\n"
                                                      "今すぐに、ダウンロードを行ってください。。"));
        // An update that cannot be had now must not lock the user out of the player.
        connect(&download, &NewVersionForm::updateDeferred, &download, &loadPlayer);
    } else if (versionCheckDue()) {
        auto &check =
            handOverTo<VersionStatusForm>(QStringLiteral("最終バージョン確認日より20日が過ぎましたので、\r\n"
                                                         "最新のバージョンの確認を行います。"));
        // A check that brought no update must not keep an offline user from the player.
        connect(&check, &VersionStatusForm::closedWithoutUpdate, &check, &loadPlayer);
        connect(&check, &VersionStatusForm::checkFailed, &check, &OpenForm::recordFailedCheck);
    } else {
        startPlayer();
    }
}

void OpenForm::startPlayer()
{
    FormRegistry &forms = FormRegistry::instance();
    WindowTopModule::WindowTop(*this, WindowTopModule::Topmost);
    loadPlayer();
    WindowTopModule::WindowTop(*this, WindowTopModule::NotTopmost);
    forms.unload(this);
}

void OpenForm::recordFailedCheck()
{
    SetRegString(HKEY_LOCAL_MACHINE, InstallKey, UpdateServer::FailedCheckValue,
                 DateText::format(platform::today()));
}
