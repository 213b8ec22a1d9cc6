#include "app/OpenForm.h"
#include "app/FormRegistry.h"
#include "app/RegistryModule.h"
#include "app/SystemDataBox.h"
#include "mainwindow/MainForm.h"
#include "platform/Clock.h"
#include "platform/InstanceLock.h"
#include "platform/Paths.h"
#include "platform/Shell.h"
#include "platform/UserName.h"
#include "playlist/PlayListForm.h"
#include "support/MessageRecorder.h"
#include "support/TestEnvironment.h"
#include "update/NewVersionForm.h"
#include "update/VersionStatusForm.h"

#include <QDirIterator>
#include <QLabel>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

using namespace RegistryModule;

namespace {

const QDate today(2026, 3, 10);

class StartUpTest : public CleanStateTest {
protected:
    void SetUp() override
    {
        CleanStateTest::SetUp();
        messages.install();
        platform::setTodayOverride(today);
        platform::setShellOpenHandler([this](const QString &target) {
            opened << target;
            return true;
        });
    }

    // A start after an earlier run of this revision.
    static void seedInstallKey(const QString &lastUp, const QString &release = {})
    {
        SetRegString(HKEY_LOCAL_MACHINE, InstallKey, Revision, QStringLiteral("41"));
        SetRegString(HKEY_LOCAL_MACHINE, InstallKey, LastUP, lastUp);
        SetRegString(HKEY_LOCAL_MACHINE, InstallKey, Release, release);
    }

    static QString lastUp(QDate date)
    {
        return QStringLiteral("%1/%2/%3").arg(date.year()).arg(date.month()).arg(date.day());
    }

    static void start() { FormRegistry::instance().load<OpenForm>(); }

    static bool playerStarted()
    {
        FormRegistry &forms = FormRegistry::instance();
        return forms.find<PlayListForm>() && forms.find<MainForm>() && !forms.find<OpenForm>();
    }

    // The real program in its own process, once it holds the instance lock.
    static bool startPlayer(QProcess &player, bool forwardErrors = true)
    {
        player.setProgram(QStringLiteral(LYRA_PLAYER_BINARY));
        player.setProcessChannelMode(forwardErrors ? QProcess::ForwardedErrorChannel
                                                   : QProcess::SeparateChannels);
        player.start();
        return player.waitForStarted() &&
               QTest::qWaitFor([] { return QFileInfo::exists(platform::InstanceLock::defaultPath()); },
                               10000);
    }

    QStringList opened;
    MessageRecorder messages;
};

QStringList filesUnder(const QString &dir)
{
    QStringList files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        files << it.next();
    }
    files.sort();
    return files;
}

} // namespace

TEST_F(StartUpTest, FirstRunOfARevisionRecordsItOpensTheWelcomePageAndStartsThePlayer)
{
    SetRegString(HKEY_LOCAL_MACHINE, InstallKey, Revision, QStringLiteral("40"));
    SetRegString(HKEY_LOCAL_MACHINE, InstallKey, LastUP, QStringLiteral("2001/1/1"));
    SetRegString(HKEY_LOCAL_MACHINE, InstallKey, Release, QStringLiteral("get"));
    platform::setUserNameOverride(QStringLiteral("hanako"));
    start();

    EXPECT_EQ(GetRegString(HKEY_LOCAL_MACHINE, InstallKey, Revision), QStringLiteral("41"));
    EXPECT_EQ(GetRegString(HKEY_LOCAL_MACHINE, InstallKey, LastUP), QStringLiteral("2026/3/10"));
    EXPECT_EQ(GetRegString(HKEY_LOCAL_MACHINE, InstallKey, Release), QString());
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened[0].endsWith(QStringLiteral("/welcome.html"))) << opened[0].toStdString();
    EXPECT_TRUE(QFileInfo::exists(opened[0])) << "the page ships with the program";
    EXPECT_TRUE(messages.shown().isEmpty());
    EXPECT_EQ(sys().LoginUserName, QStringLiteral("hanako"));
    EXPECT_TRUE(playerStarted());
}

TEST_F(StartUpTest, TheSplashIsPaintedWithTheVersionOnANormalStart)
{
    seedInstallKey(lastUp(today));
    platform::setUserNameOverride(QString());
    sys().LoginUserName = QStringLiteral("stale");
    // On a real display the paint comes through the event queue after the show,
    // so an event queued at the show must arrive before the slow loads begin.
    struct PaintWatch : QObject {
        QString version;
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            if (auto *splash = qobject_cast<OpenForm *>(watched)) {
                if (event->type() == QEvent::Show) {
                    QCoreApplication::postEvent(splash, new QEvent(QEvent::User));
                } else if (event->type() == QEvent::User && !FormRegistry::instance().find<PlayListForm>()) {
                    version = splash->VersionLabel->text();
                }
            }
            return false;
        }
    } watch;
    QCoreApplication::instance()->installEventFilter(&watch);
    start();
    QCoreApplication::instance()->removeEventFilter(&watch);
    EXPECT_EQ(watch.version, QStringLiteral("バージョン : 3.1.41"));
    EXPECT_FALSE(OpenForm().SplashImage->pixmap().isNull()) << "the splash picture ships inside the program";
    EXPECT_EQ(sys().LoginUserName, QString()) << "an empty logon name is recorded too";
    EXPECT_TRUE(playerStarted());
}

TEST_F(StartUpTest, TheLastCheckDateAndTheReleaseKeywordChooseTheFirstWindow)
{
    enum Route { Player, Check, Update };
    const QString check = QStringLiteral("最終バージョン確認日より20日が過ぎましたので、\r\n"
                                         "最新のバージョンの確認を行います。");
    const QString update = QStringLiteral("新しいバージョンのプログラムが公開されています。\r\n"
                                          "今すぐに、ダウンロードを行ってください。。");
    const struct {
        QString lastUp, release;
        Route route;
        QString recorded; // the check date after the start
    } rows[] = {
        {lastUp(today.addDays(-20)), {}, Player, QStringLiteral("2026/2/18")},
        {lastUp(today.addDays(-21)), {}, Check, {}},
        {lastUp(today.addDays(21)), {}, Check, {}},
        {lastUp(today.addDays(-400)), {}, Check, {}},
        {lastUp(today), QStringLiteral("get"), Update, {}},
        {lastUp(today), QStringLiteral("Get"), Player, QStringLiteral("2026/3/10")},
        // Missing or malformed: counted from today, and today is recorded.
        {QString(), {}, Player, QStringLiteral("2026/3/10")},
        {QStringLiteral("2026-03-01"), {}, Player, QStringLiteral("2026/3/10")},
        {QStringLiteral("2026/2/30"), {}, Player, QStringLiteral("2026/3/10")},
        {QStringLiteral("yesterday"), {}, Player, QStringLiteral("2026/3/10")},
        {QStringLiteral("2026/3"), {}, Player, QStringLiteral("2026/3/10")},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE((row.lastUp + u' ' + row.release).toStdString());
        TestEnvironment::resetAll();
        platform::setTodayOverride(today);
        MessageRecorder local;
        seedInstallKey(row.lastUp, row.release);
        start();
        FormRegistry &forms = FormRegistry::instance();
        EXPECT_EQ(playerStarted(), row.route == Player);
        if (row.route == Player) {
            EXPECT_TRUE(local.shown().isEmpty());
            EXPECT_EQ(GetRegString(HKEY_LOCAL_MACHINE, InstallKey, LastUP), row.recorded);
            continue;
        }
        ASSERT_EQ(local.shown().size(), 1);
        EXPECT_EQ(local.shown()[0].text, row.route == Check ? check : update);
        EXPECT_EQ(local.shown()[0].icon, platform::MessageIcon::Information);
        EXPECT_EQ(forms.loadedCount(), 1) << "no player in this run";
        if (row.route == Check) {
            EXPECT_EQ(local.shown()[0].title, QStringLiteral("アップデート情報"));
            EXPECT_NE(forms.find<VersionStatusForm>(), nullptr);
        } else {
            ASSERT_NE(forms.find<NewVersionForm>(), nullptr);
            QSignalSpy ended(&forms, &FormRegistry::lastFormUnloaded);
            forms.find<NewVersionForm>()->close();
            EXPECT_EQ(ended.count(), 1) << "closing the only window ends the program";
        }
    }
}

TEST_F(StartUpTest, ASecondInstanceIsRefusedTouchesNoFileAndEndsOnSigterm)
{
    seedInstallKey(lastUp(QDate::currentDate()));
    QProcess first;
    ASSERT_TRUE(startPlayer(first)) << "the first instance holds the lock";
    QTest::qWait(300);
    const QStringList before =
        filesUnder(TestEnvironment::configHome()) + filesUnder(TestEnvironment::dataHome());

    start();
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown()[0].text, QStringLiteral("Lyrabox 3 は、すでに起動しています。\r\n"));
    EXPECT_EQ(messages.shown()[0].title, QStringLiteral("多重起動エラー"));
    EXPECT_EQ(messages.shown()[0].icon, platform::MessageIcon::Exclamation);
    EXPECT_EQ(FormRegistry::instance().loadedCount(), 0);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(filesUnder(TestEnvironment::configHome()) + filesUnder(TestEnvironment::dataHome()), before);

    // A refused start in its own process sits in its message box until SIGTERM.
    QProcess second;
    ASSERT_TRUE(startPlayer(second));
    EXPECT_FALSE(second.waitForFinished(1500));
    second.terminate();
    EXPECT_TRUE(second.waitForFinished(10000)) << "SIGTERM ends a start-up that waits in a message box";
    EXPECT_EQ(second.exitCode(), 0);

    first.terminate();
    ASSERT_TRUE(first.waitForFinished(10000));
    EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.exitCode(), 0);
    EXPECT_TRUE(
        QFileInfo::exists(platform::dataDir() + platform::currentUserName() + QStringLiteral(".fllx3")))
        << "the lists were saved on the way out";

    // With the first one gone, its lock no longer blocks.
    platform::setTodayOverride(QDate::currentDate());
    start();
    EXPECT_TRUE(playerStarted());
}

TEST_F(StartUpTest, SigtermEndsEvenWhenTheListsCannotBeSaved)
{
    seedInstallKey(lastUp(QDate::currentDate()));
    // A folder where the folder list file should be: the save fails.
    QDir().mkpath(platform::dataDir() + platform::currentUserName() + QStringLiteral(".fllx3/x"));
    QProcess player;
    ASSERT_TRUE(startPlayer(player, false));
    QTest::qWait(300);
    player.terminate();
    EXPECT_TRUE(player.waitForFinished(10000)) << "no box waits for a click on the way out";
    EXPECT_TRUE(QString::fromUtf8(player.readAllStandardError()).contains(QStringLiteral("保存エラー")));
    player.kill();
    player.waitForFinished();
}
