#include "app/OpenForm.h"
#include "platform/Clock.h"
#include "platform/Shell.h"
#include "platform/UserName.h"
#include "support/PlayerFixture.h"
#include "update/UpdateServer.h"

#include <QApplication>
#include <QTimer>

using namespace RegistryModule;

namespace {

const QDate today(2026, 3, 10);

QString lastUp(QDate date)
{
    return QStringLiteral("%1/%2/%3").arg(date.year()).arg(date.month()).arg(date.day());
}

// A start after an earlier run of this revision, or of the given one.
void seedInstallKey(const QString &lastUp, const QString &release = {}, const QString &revision = "41")
{
    SetRegString(HKEY_LOCAL_MACHINE, InstallKey, Revision, revision);
    SetRegString(HKEY_LOCAL_MACHINE, InstallKey, LastUP, lastUp);
    SetRegString(HKEY_LOCAL_MACHINE, InstallKey, Release, release);
}

// Every message box shown, as "title (icon): text".
QString said(const MessageRecorder &messages)
{
    QStringList said;
    for (const auto &m : messages.shown()) {
        said << m.title + QStringLiteral(" (%1): ").arg(int(m.icon)) + m.text;
    }
    return said.join(u'\n');
}

QString loaded()
{
    QStringList names;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *form = qobject_cast<Form *>(widget); form && FormRegistry::instance().isLoaded(form)) {
            names << form->objectName();
        }
    }
    names.sort();
    return names.join(u' ');
}

const QString playerWindows = "MainForm PlayListForm";

class StartUpTest : public PlayerFixture {
protected:
    void SetUp() override
    {
        PlayerFixture::SetUp();
        platform::setTodayOverride(today);
        platform::setShellOpenHandler([this](const QString &target) {
            opened << target;
            return true;
        });
    }

    QStringList opened;
};

} // namespace

TEST_F(StartUpTest, TheSplashIsPaintedWithTheVersionOnANormalStart)
{
    seedInstallKey(lastUp(today));
    platform::setUserNameOverride(QString());
    sys().LoginUserName = QStringLiteral("stale");
    // On a real display the paint comes through the event queue after the show, so a call
    // queued before the start must run while the splash shows, before the slow loads begin.
    QString version;
    QTimer::singleShot(0, [&] {
        const OpenForm *splash = FormRegistry::instance().find<OpenForm>();
        if (splash && splash->isVisible() && !FormRegistry::instance().find<PlayListForm>()) {
            version = splash->VersionLabel->text() + u'|' + splash->Label1->text();
        }
    });
    FormRegistry::instance().load<OpenForm>();
    EXPECT_EQ(version, QStringLiteral("バージョン : 3.1.41|For Linux desktops"));
    EXPECT_FALSE(OpenForm().SplashImage->pixmap().isNull()) << "the splash picture ships inside the program";
    EXPECT_EQ(sys().LoginUserName, QString()) << "an empty logon name is recorded too";
    EXPECT_EQ(loaded(), playerWindows);
}

TEST_F(StartUpTest, TheRevisionTheLastCheckDateAndTheReleaseKeywordChooseTheFirstWindow)
{
    const QString check = "アップデート情報 (1): 最終バージョン確認日より20日が過ぎましたので、\r\n"
                          "最新のバージョンの確認を行います。";
    const QString update = "アップデート情報 (1): 新しいバージョンのプログラムが公開されています。\r\n"
                           "今すぐに、ダウンロードを行ってください。。";
    const bool builtWithServer = !UpdateServer::baseUrl().isEmpty();
    const QString serverlessSaid = builtWithServer ? check : QString();
    const QString serverlessWindows = builtWithServer ? "VersionStatusForm" : playerWindows;
    const QString days21 = lastUp(today.addDays(-21));
    const struct {
        QString lastUp, release, said, windows;
        QString key;             // revision, check date and release keyword after the start
        QString revision = "41"; // of the earlier run; the first run of this one opens the welcome page
        QString failedCheck = {}, server = "http://127.0.0.1:9";
    } rows[] = {
        {"2001/1/1", "get", {}, playerWindows, "41|2026/3/10|", "40"},
        {lastUp(today.addDays(-20)), {}, {}, playerWindows, "41|2026/2/18|"},
        {lastUp(today.addDays(-21)), {}, check, "VersionStatusForm", "41|2026/2/17|"},
        {lastUp(today.addDays(21)), {}, check, "VersionStatusForm", "41|2026/3/31|"},
        {lastUp(today.addDays(-400)), {}, check, "VersionStatusForm", "41|2025/2/3|"},
        // A failed automatic check waits as long as a successful one.
        {days21, {}, {}, playerWindows, "41|2026/2/17|", "41", lastUp(today.addDays(-20))},
        {days21, {}, check, "VersionStatusForm", "41|2026/2/17|", "41", days21},
        // A build without an update server (a distribution's) never checks by itself.
        {days21, {}, serverlessSaid, serverlessWindows, "41|2026/2/17|", "41", {}, {}},
        {lastUp(today), "get", update, "NewVersionForm", "41|2026/3/10|get"},
        {lastUp(today), "Get", {}, playerWindows, "41|2026/3/10|Get"},
        // Missing or malformed: counted from today, and today is recorded.
        {{}, {}, {}, playerWindows, "41|2026/3/10|"},
        {"2026-03-01", {}, {}, playerWindows, "41|2026/3/10|"},
        {"2026/2/30", {}, {}, playerWindows, "41|2026/3/10|"},
        {"2026/3", {}, {}, playerWindows, "41|2026/3/10|"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE((row.lastUp + u' ' + row.release).toStdString());
        SetUp(); // a clean start for each row
        opened.clear();
        MessageRecorder local;
        seedInstallKey(row.lastUp, row.release, row.revision);
        SetRegString(HKEY_LOCAL_MACHINE, InstallKey, UpdateServer::FailedCheckValue, row.failedCheck);
        SetRegString(HKEY_LOCAL_MACHINE, InstallKey, UpdateServer::ServerValue, row.server);
        FormRegistry::instance().load<OpenForm>();
        EXPECT_EQ(said(local), row.said);
        EXPECT_EQ(loaded(), row.windows);
        EXPECT_EQ(QStringList({GetRegString(HKEY_LOCAL_MACHINE, InstallKey, Revision),
                               GetRegString(HKEY_LOCAL_MACHINE, InstallKey, LastUP),
                               GetRegString(HKEY_LOCAL_MACHINE, InstallKey, Release)})
                      .join(u'|'),
                  row.key);
        EXPECT_EQ(QFileInfo(opened.join(u' ')).fileName(), row.revision == u"41" ? "" : "welcome.html");
        EXPECT_TRUE(opened.isEmpty() || QFileInfo::exists(opened[0])) << "the page ships with the program";
    }
}
