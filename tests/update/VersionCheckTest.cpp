#include "UpdateFixture.h"
#include "app/FormRegistry.h"
#include "app/OpenForm.h"
#include "app/ProgramVersion.h"
#include "mainwindow/MainForm.h"
#include "playlist/PlayListForm.h"
#include "update/NewVersionForm.h"
#include "update/VersionStatusForm.h"

#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>

namespace {

const QStringList opening{QStringLiteral("プログラム : Lyrabox 3"), QStringLiteral("バージョン : 3.1.41"),
                          QStringLiteral("MIRAVELT アップデートセンターに接続しています...")};
const QStringList connected{QStringLiteral("接続しました。"),
                            QStringLiteral("最新のバージョンを確認しています...")};
const QStringList latest{QStringLiteral("このプログラムは、最新のバージョンです。"),
                         QStringLiteral("アップデートの必要は、ありません。")};
const QStringList unreachable{QStringLiteral("接続できませんでした。"),
                              QStringLiteral("インターネットへの接続が適切でないか、又は、"),
                              QStringLiteral("アップデートセンターが停止している可能性があります。")};

QStringList lines(const VersionStatusForm &form)
{
    QStringList all;
    for (int i = 0; i < form.StatusList->count(); ++i) {
        all << form.StatusList->item(i)->text();
    }
    return all;
}

struct CheckRow {
    const char *name;
    int newest;
    QByteArray status; // empty: a server that accepts and never answers
    QStringList after;
    bool recordsDay;
    bool asksVersion;
};

} // namespace

using VersionCheckTest = UpdateFixture;

TEST_F(VersionCheckTest, TheCheckFromTheMenuListsTheAnswerAndGivesTheMainWindowBack)
{
    const int running = ProgramVersion::Revision;
    const std::vector<CheckRow> rows{
        {"newest", running, "Ready", connected + latest, true, true},
        {"newer than published", running - 1, "Ready", connected + latest, true, true},
        {"service down",
         running,
         "NoReady",
         {QStringLiteral("接続できませんでした。"),
          QStringLiteral("現在、アップデートサービスを利用できません。")},
         true,
         false},
        {"keyword with a line break", running, "Ready\n", unreachable, false, false},
        {"silent server", running, "", unreachable, false, false},
    };
    for (const CheckRow &row : rows) {
        SCOPED_TRACE(row.name);
        NginxServer nginx;
        QTcpServer silent;
        if (row.status.isEmpty()) {
            silent.listen(QHostAddress::LocalHost);
            useServer(QStringLiteral("http://127.0.0.1:%1/").arg(silent.serverPort()));
        } else {
            nginx.publish(row.newest, QStringLiteral("Ready"), "program");
            QFile status(nginx.folder() + QStringLiteral("/status"));
            ASSERT_TRUE(status.open(QIODevice::WriteOnly) && status.write(row.status) > 0);
            status.close();
            ASSERT_TRUE(nginx.start());
            useServer(nginx.url());
        }
        FormRegistry &forms = FormRegistry::instance();
        forms.load<PlayListForm>();
        MainForm &main = forms.load<MainForm>();
        main.setEnabled(false);
        auto &check = forms.load<VersionStatusForm>();
        check.VersionCheck->click();

        EXPECT_EQ(lines(check), opening + row.after);
        EXPECT_EQ(install(LastUP), row.recordsDay ? QStringLiteral("2026/3/10") : QStringLiteral("2026/1/1"));
        EXPECT_EQ(nginx.accessLog().contains("version.cgi?product=LYRA30&revision=41 "), row.asksVersion);
        EXPECT_EQ(check.VersionCheck->text(), QStringLiteral("閉じる"));
        EXPECT_TRUE(check.ExitVerSta->isHidden());
        check.close();
        EXPECT_FALSE(forms.isLoaded(&check));
        EXPECT_TRUE(main.isEnabled());
        TestEnvironment::resetAll();
        SetUp();
    }
}

TEST_F(VersionCheckTest, AnAnnouncedUpdateClosesThePlayerAndOpensTheDownload)
{
    NginxServer nginx;
    nginx.publish(ProgramVersion::Revision + 1, QStringLiteral("Ready"), "program");
    ASSERT_TRUE(nginx.start());
    useServer(nginx.url());
    FormRegistry &forms = FormRegistry::instance();
    forms.load<PlayListForm>();
    forms.load<MainForm>().setEnabled(false);
    forms.load<VersionStatusForm>().VersionCheck->click();

    EXPECT_EQ(forms.find<MainForm>(), nullptr);
    EXPECT_EQ(forms.find<PlayListForm>(), nullptr);
    EXPECT_EQ(forms.find<VersionStatusForm>(), nullptr);
    EXPECT_NE(forms.find<NewVersionForm>(), nullptr);
    EXPECT_EQ(install(Release), QStringLiteral("get"));
    EXPECT_EQ(install(LastUP), QStringLiteral("2026/1/1"));
}

TEST_F(VersionCheckTest, AStartUpCheckThatFailsGoesOnToThePlayer)
{
    SetRegString(HKEY_LOCAL_MACHINE, InstallKey, Revision, ProgramVersion::revisionText());
    SetRegString(HKEY_LOCAL_MACHINE, InstallKey, LastUP, QStringLiteral("2026/2/17"));
    useServer(QStringLiteral("http://127.0.0.1:%1").arg(NginxServer::freePort()));
    FormRegistry &forms = FormRegistry::instance();
    QSignalSpy ended(&forms, &FormRegistry::lastFormUnloaded);
    forms.load<OpenForm>();
    ASSERT_EQ(messages.shown().size(), 1);
    auto *check = forms.find<VersionStatusForm>();
    ASSERT_NE(check, nullptr);
    check->VersionCheck->click();
    EXPECT_EQ(lines(*check), opening + unreachable);
    check->VersionCheck->click();

    EXPECT_EQ(forms.find<VersionStatusForm>(), nullptr);
    EXPECT_NE(forms.find<PlayListForm>(), nullptr);
    EXPECT_NE(forms.find<MainForm>(), nullptr);
    EXPECT_EQ(ended.count(), 0);
}
