#include "UpdateFixture.h"
#include "app/OpenForm.h"
#include "update/VersionStatusForm.h"

#include <QListWidget>

namespace {

const QStringList opening{"プログラム : Lyrabox 3", "バージョン : 3.1.41",
                          "MIRAVELT アップデートセンターに接続しています..."};
const QStringList latest{"接続しました。", "最新のバージョンを確認しています...",
                         "このプログラムは、最新のバージョンです。", "アップデートの必要は、ありません。"};
const QStringList serviceDown{"接続できませんでした。", "現在、アップデートサービスを利用できません。"};
const QStringList unreachable{"接続できませんでした。", "インターネットへの接続が適切でないか、又は、",
                              "アップデートセンターが停止している可能性があります。"};

} // namespace

using VersionCheckTest = UpdateFixture;

TEST_F(VersionCheckTest, TheCheckFromTheMenuListsTheAnswerAndOffersToClose)
{
    const int running = ProgramVersion::Revision;
    const struct {
        const char *name;
        int newest;
        QByteArray status; // empty: a server that accepts and never answers; "-": no server address
        QStringList after;
        const char *lastUpdate;
        bool asksVersion;
    } rows[] = {
        {"newest", running, "Ready", latest, "2026/3/10", true},
        {"newer than published", running - 1, "Ready", latest, "2026/3/10", true},
        {"service down", running, "NoReady", serviceDown, "2026/3/10", false},
        {"keyword with a line break", running, "Ready\n", unreachable, "2026/1/1", false},
        {"silent server", running, "", unreachable, "2026/1/1", false},
        {"no server address", running, "-", unreachable, "2026/1/1", false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        NginxServer nginx;
        QTcpServer silent;
        if (row.status.isEmpty()) {
            silent.listen(QHostAddress::LocalHost);
            useServer(QStringLiteral("http://127.0.0.1:%1/").arg(silent.serverPort()));
        } else if (row.status == "-") {
            useServer({});
        } else {
            ASSERT_TRUE(serve(nginx, row.newest, "Ready"));
            ASSERT_TRUE(writeFile(nginx.folder() + "/status", row.status));
        }
        FormRegistry &forms = FormRegistry::instance();
        loadPlayer({});
        auto &check = forms.load<VersionStatusForm>();
        check.VersionCheck->click();

        QStringList lines;
        for (int i = 0; i < check.StatusList->count(); ++i) {
            lines << check.StatusList->item(i)->text();
        }
        EXPECT_EQ(lines, opening + row.after);
        EXPECT_EQ(install(LastUP) + install(UpdateServer::FailedCheckValue), row.lastUpdate);
        EXPECT_EQ(nginx.accessLog().contains("version.cgi?product=LYRA30&revision=41 "), row.asksVersion);
        EXPECT_TRUE(check.VersionCheck->text() == "閉じる" && check.ExitVerSta->isHidden());
        SetUp();
    }
}

TEST_F(VersionCheckTest, AStartUpCheckThatFailsGoesOnToThePlayer)
{
    SetRegString(HKEY_LOCAL_MACHINE, InstallKey, Revision, ProgramVersion::revisionText());
    SetRegString(HKEY_LOCAL_MACHINE, InstallKey, LastUP, "2026/2/17");
    useServer(QStringLiteral("http://127.0.0.1:%1").arg(freePort()));
    FormRegistry &forms = FormRegistry::instance();
    QSignalSpy ended(&forms, &FormRegistry::lastFormUnloaded);
    forms.load<OpenForm>();
    auto *check = forms.find<VersionStatusForm>();
    ASSERT_NE(check, nullptr);
    check->VersionCheck->click(); // nothing listens: the check fails
    check->VersionCheck->click(); // and the button now closes

    EXPECT_TRUE(!forms.find<VersionStatusForm>() && forms.find<PlayListForm>() && forms.find<MainForm>());
    EXPECT_EQ(ended.count(), 0);
    EXPECT_EQ(install(LastUP) + ' ' + install(UpdateServer::FailedCheckValue), "2026/2/17 2026/3/10")
        << "the failure is kept, so the next start does not ask again";
}
