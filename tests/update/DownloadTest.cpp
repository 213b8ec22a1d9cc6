#include "UpdateFixture.h"
#include "app/Application.h"
#include "app/OpenForm.h"
#include "platform/Launcher.h"
#include "platform/Transfer.h"
#include "update/UpdateFile.h"
#include "update/VersionStatusForm.h"

#include <QDirIterator>
#include <QLabel>
#include <QListWidget>
#include <QScopeGuard>
#include <QTimer>
#include <numeric>

using DownloadTest = UpdateFixture;
using TransferTest = UpdateFixture;

TEST_F(DownloadTest, ACompleteDownloadIsWrittenExecutableStartedAndTheProgramEnds)
{
    const struct {
        int size;
        const char *label;
        bool linkAtName;
    } rows[] = {{1023, "0KB", false}, {1024, "1KB", true}, {70000, "68KB", false}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.size);
        QByteArray program(row.size, '\0');
        std::iota(program.begin(), program.end(), '\0');
        NginxServer nginx;
        ASSERT_TRUE(serve(nginx, ProgramVersion::Revision + 1, "Ready", program));
        const QString victim = nginx.path("victim");
        QFile(victim).open(QIODevice::WriteOnly);
        if (row.linkAtName) {
            QDir().mkpath(TestEnvironment::dataHome() + "/lyrabox3");
            ASSERT_TRUE(QFile::link(victim, UpdateFile::path()));
        }
        FormRegistry &forms = FormRegistry::instance();
        QSignalSpy ended(&forms, &FormRegistry::lastFormUnloaded);
        auto &form = forms.load<NewVersionForm>();
        form.setPublisherKey(nginx.publisher().publicKey());
        QString label;
        platform::setProgramLauncher([&](const QString &path) {
            label += path + ' ' + form.DLLabel->text();
            return true;
        });
        form.FileDLStart->click();

        EXPECT_EQ(label, UpdateFile::path() + ' ' + row.label);
        EXPECT_TRUE(readFile(UpdateFile::path()) == program);
        EXPECT_EQ(QFile::permissions(UpdateFile::path()) & QFile::Permissions(0x7077),
                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EXPECT_EQ(QFileInfo(victim).size(), 0) << "a link at the name is not written through";
        EXPECT_EQ(ended.count(), 1);
        SetUp();
    }
}

TEST_F(DownloadTest, AnUpdateThatCannotBeHadAtStartUpLeavesThePlayerReachable)
{
    enum Step { Cancel, Fail, CloseAtStart, EndAtStart, NotAProgram };
    const int newer = ProgramVersion::Revision + 1;
    const struct {
        const char *name;
        Step step;
        int newest;
        const char *status;
        const char *windows; // the player, the download window
        const char *key;     // the release keyword and the last check
        QStringList said;
        bool downloads;
    } rows[] = {
        {"cancelled", Cancel, newer, "Ready", "player", "get 2026/1/1", {}, false},
        {"refused", Fail, ProgramVersion::Revision, "Ready", "player+download", "get 2026/1/1", {}, true},
        {"service down", Fail, newer, "NoReady", "player", " 2026/3/10", {}, false},
        {"closed as the download begins", CloseAtStart, newer, "Ready", "player", "get 2026/1/1", {}, false},
        {"ended as the download begins", EndAtStart, newer, "Ready", "", "get 2026/1/1", {}, false},
        {"no program", NotAProgram, newer, "Ready", "player", "get 2026/1/1", {"起動エラー"}, true},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        MessageRecorder messages;
        NginxServer nginx;
        ASSERT_TRUE(serve(nginx, row.newest, row.status, "this is no program"));
        SetRegString(HKEY_LOCAL_MACHINE, InstallKey, Revision, ProgramVersion::revisionText());
        SetRegString(HKEY_LOCAL_MACHINE, InstallKey, Release, "get");
        FormRegistry &forms = FormRegistry::instance();
        forms.load<OpenForm>();
        auto *form = forms.find<NewVersionForm>();
        ASSERT_NE(form, nullptr);
        form->setPublisherKey(nginx.publisher().publicKey());
        QObject::connect(form->Inet, &platform::Transfer::StateChanged, form, [&, form](qint16 state) {
            // The status query has been answered: the next moment is the one before the download.
            if (state == platform::Transfer::ResponseCompleted && !form->DownloadStarted &&
                row.step >= CloseAtStart && row.step <= EndAtStart) {
                QTimer::singleShot(0, form, [&, form] {
                    if (row.step == CloseAtStart) {
                        form->close();
                    } else {
                        Application::requestEnd(); // as SIGTERM does
                    }
                });
            }
        });
        if (row.step == NotAProgram) {
            platform::setProgramLauncher({});
        }
        if (row.step != Cancel) {
            form->FileDLStart->click();
        }
        if (form->CloseOnClick == 1) { // the service is down: the announced update is dropped
            EXPECT_EQ(form->InfoLabel->text(), "現在、アップデートサービスを利用できません。");
            EXPECT_TRUE(form->FileDLStart->text() == "閉じる" && form->CancelNewVersion->isHidden());
        }
        if (row.step == Cancel || form->CloseOnClick == 1) {
            (row.step == Cancel ? form->CancelNewVersion : form->FileDLStart)->click();
        }
        TestEnvironment::flushEvents();

        EXPECT_EQ(QString(forms.find<MainForm>() && forms.find<PlayListForm>() ? "player" : "") +
                      (forms.find<NewVersionForm>() ? "+download" : ""),
                  row.windows);
        EXPECT_EQ(install(Release) + ' ' + install(LastUP), row.key);
        EXPECT_EQ(messages.titles(), QStringList{"アップデート情報"} + row.said);
        EXPECT_EQ(nginx.accessLog().contains("download.cgi"), row.downloads);
        SetUp();
    }
}

TEST_F(DownloadTest, AnAnnouncedUpdateClosesThePlayerAndOnlyAProgramItsPublisherSignedRunsOverVerifiedHttps)
{
    // Which signatures verify is the signature check's own test; here, one of each way to fail.
    enum Fault { None, Tampered, Missing, NoKey, OtherHost };
    const QString notSigned =
        "ダウンロードしたプログラムに発行元の正しい署名がないため、保存も起動もしませんでした。";
    const QString noKey =
        "このプログラムには発行元の署名を確かめるための鍵がないため、アップデートプログラムを"
        "ダウンロードできません。";
    const QString down = "アップデートセンターが停止している可能性があります。";
    const struct {
        const char *name;
        Fault fault;
        QString said; // the last line the user was shown; empty: the update program ran
        int requests; // that reached the server, each telling nothing about its sender
        QByteArray proxyVariable, noProxyVariable;
    } rows[] = {
        {"signed", None, "", 5, {}, {}},
        {"signed, through https_proxy", None, "", 5, "https_proxy", {}},
        {"signed, through HTTPS_PROXY", None, "", 5, "HTTPS_PROXY", {}},
        {"signed, past the proxy by NO_PROXY", None, "", 5, "https_proxy", "NO_PROXY"},
        {"tampered program", Tampered, notSigned, 5, {}, {}},
        {"no signature", Missing, notSigned, 5, {}, {}},
        {"a build without a key", NoKey, noKey, 3, {}, {}},
        {"a certificate for another host", OtherHost, down, 0, {}, {}},
    };
    const auto restore = qScopeGuard([] { platform::Transfer::setExtraAuthorities({}); });
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        NginxServer nginx;
        ASSERT_TRUE(
            nginx.makeCertificates(true, row.fault == OtherHost ? "DNS:update.example.org" : "IP:127.0.0.1"));
        const QString ran = nginx.path("ran"), site = nginx.folder() + "/";
        const QByteArray program = ("#!/bin/sh\n: > '" + ran + "'\n").toUtf8();
        ASSERT_TRUE(serve(nginx, ProgramVersion::Revision + 1, "Ready", program));
        if (row.fault == Tampered) {
            ASSERT_TRUE(writeFile(site + "program", program + "echo more\n"));
        } else if (row.fault == Missing) {
            ASSERT_TRUE(QFile::remove(site + "program.minisig"));
        }
        ForwardProxy proxy;
        if (!row.proxyVariable.isEmpty()) {
            ASSERT_TRUE(proxy.start());
            qputenv(row.proxyVariable, proxy.url().toUtf8());
            if (!row.noProxyVariable.isEmpty()) {
                qputenv(row.noProxyVariable, "127.0.0.1");
            }
        }
        // The test's authority is trusted by this test alone.
        platform::Transfer::setExtraAuthorities(nginx.path("ca.pem"));
        platform::setProgramLauncher({});
        FormRegistry &forms = FormRegistry::instance();
        loadPlayer({});
        auto &check = forms.load<VersionStatusForm>();
        check.VersionCheck->click();
        QString said = forms.find<VersionStatusForm>()
                           ? check.StatusList->item(check.StatusList->count() - 1)->text()
                           : QString();
        if (auto *form = forms.find<NewVersionForm>()) {
            // The announced update closed the player and kept the check date.
            EXPECT_EQ(forms.loadedCount(), 1);
            EXPECT_EQ(install(Release) + ' ' + install(LastUP), "get 2026/1/1");
            form->setPublisherKey(row.fault == NoKey ? QString() : nginx.publisher().publicKey());
            form->FileDLStart->click();
            said = forms.find<NewVersionForm>() ? form->InfoLabel->text() : QString();
        }

        const bool runs = row.said.isEmpty();
        EXPECT_EQ(said, row.said);
        EXPECT_EQ(QFileInfo::exists(UpdateFile::path()), runs);
        EXPECT_EQ(runs ? QTest::qWaitFor([&] { return QFileInfo::exists(ran); }, 10000)
                       : QFileInfo::exists(ran),
                  runs);
        EXPECT_EQ(forms.find<MainForm>() == nullptr, runs) << "after a failure the player comes up";
        const QByteArray log = nginx.accessLog().trimmed();
        const QList<QByteArray> requests = log.isEmpty() ? QList<QByteArray>() : log.split('\n');
        EXPECT_EQ(requests.size(), row.requests);
        for (const QByteArray &request : requests) {
            EXPECT_TRUE(request.endsWith(" HTTP/1.1|-|-")) << request.toStdString();
        }
        if (!row.proxyVariable.isEmpty()) {
            EXPECT_EQ(proxy.log().count("CONNECT 127.0.0.1:" + QByteArray::number(nginx.port)),
                      row.noProxyVariable.isEmpty() ? row.requests : 0);
            qunsetenv(row.proxyVariable);
            qunsetenv(row.noProxyVariable);
        }
        SetUp();
    }
}

TEST_F(DownloadTest, ADownloadCutShortOfItsAnnouncedSizeIsDiscarded)
{
    NginxServer nginx;
    // Slow enough that the file can be cut while nginx is still sending it.
    ASSERT_TRUE(serve(nginx, ProgramVersion::Revision + 1, "Ready", QByteArray(qsizetype(256) * 1024, 'x'),
                      "limit_rate 64k;"));
    SetRegString(HKEY_LOCAL_MACHINE, InstallKey, UpdateServer::TimeoutValue, "5");
    auto &form = FormRegistry::instance().load<NewVersionForm>();
    form.setPublisherKey(nginx.publisher().publicKey());
    QObject::connect(form.Inet, &platform::Transfer::StateChanged, [&](qint16 state) {
        // The form has taken the announced size: the download itself is under way.
        if (state == platform::Transfer::ResponseReceived && form.DownloadSize > 0) {
            QFile::resize(nginx.folder() + "/program", 100);
        }
    });
    form.FileDLStart->click();

    EXPECT_EQ(form.InfoLabel->text(),
              "通信中にエラーが発生しました。再度、ダウンロードを開始します。[ダウンロード]"
              "をクリックしてください。");
    EXPECT_TRUE(form.FileDLStart->isEnabled() && form.CancelNewVersion->isEnabled());
    EXPECT_FALSE(QFileInfo::exists(UpdateFile::path()));
}

TEST_F(TransferTest, OnlyTheThreeQueriesAnswerAndProgramsComeOnlyOverTrustedChannelsWithinBounds)
{
    NginxServer nginx;
    const quint16 tlsPort = freePort(), plainPort = freePort();
    ASSERT_TRUE(nginx.makeCertificates(false));
    ASSERT_TRUE(writeFile(nginx.path("long"), QByteArray(600, 'x')));
    QFile big(nginx.path("big"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(platform::Transfer::MaxProgramBytes + 1));
    const QString extra =
        QStringLiteral("server { listen 127.0.0.1:%1 ssl; ssl_certificate %2; ssl_certificate_key %3; "
                       "location / { return 200 program; } }\n"
                       "server { listen 127.0.0.1:%4; root %6; location = /long {} location = /big {} "
                       "location = /slow { limit_rate_after 160; limit_rate 10; return 200 %7; } location "
                       "/choices { return "
                       "300 program; } location / { return 302 "
                       "http://localhost:%5/software/product/update/status.cgi?product=LYRA30; } }")
            .arg(tlsPort)
            .arg(nginx.path("cert.pem"), nginx.path("key.pem"))
            .arg(plainPort)
            .arg(nginx.port)
            .arg(nginx.path(""), QString(100, 'U'));
    ASSERT_TRUE(serve(nginx, 20240501, "Ready", "program", extra));
    QTcpServer echo; // answers with the request's path, decoded, and hangs up
    echo.listen(QHostAddress::LocalHost);
    QObject::connect(&echo, &QTcpServer::newConnection, [&echo] {
        QTcpSocket *peer = echo.nextPendingConnection();
        QObject::connect(peer, &QTcpSocket::readyRead, peer, [peer] {
            peer->write(QByteArray::fromPercentEncoding(peer->readAll().split(' ').value(1).mid(1)));
            peer->disconnectFromHost();
        });
    });
    const auto reply = [&echo](const QByteArray &head, const QByteArray &body) {
        return QStringLiteral("http://127.0.0.1:%1/").arg(echo.serverPort()) +
               QUrl::toPercentEncoding("HTTP/1.1 200 OK\r\n" + head + "\r\n" + body);
    };
    const QString plain = QStringLiteral("http://127.0.0.1:%1/").arg(plainPort);
    const QString base = nginx.url() + QStringLiteral("/software/product/update/");

    const struct {
        QString url;
        bool bytes;
        QByteArray body; // empty: the request fails
    } rows[] = {
        {base + "status.cgi?product=LYRA30", false, "Ready"},
        {base + "version.cgi?product=LYRA30&revision=0", false, "Update"},
        {base + "version.cgi?product=LYRA30&revision=1234567", false, "Update"},
        {base + "version.cgi?product=LYRA30&revision=20239999", false, "Update"},
        {base + "version.cgi?product=LYRA30&revision=20240500", false, "Update"},
        {base + "version.cgi?product=LYRA30&revision=20240501", false, "OK"},
        {base + "version.cgi?product=LYRA30&revision=20240510", false, "OK"},
        {base + "version.cgi?product=LYRA30&revision=120240501", false, "OK"},
        {base + "download.cgi?product=LYRA30&revision=7", true, "program"},
        {base + "download.cgi?product=LYRA30&revision=20240501", true, ""},
        {base + "status.cgi?product=LYRA31", false, ""},
        {base + "version.cgi?product=LYRA30&revision=../status", false, ""},
        {base + "version.cgi?product=LYRA30&revision=current", false, ""},
        {nginx.url() + "/status", false, ""},
        {plain, false, ""},
        {plain + "choices", true, ""},
        {plain + "long", false, ""},
        {plain + "big", true, ""},
        {reply("Content-Length: 100\r\n", "program"), true, ""},
        {reply("Transfer-Encoding: chunked\r\n", "2\r\nUp\r\n4;x=y\r\ndate\r\n0\r\nA: b\r\n\r\n"), false,
         "Update"},
        {reply("Transfer-Encoding: chunked\r\n", "2\r\nUp\r\n4\r\ndate\r\n"), false, ""},
        {reply("Transfer-Encoding: chunked\r\n", "2\r\nUpdate\r\n0\r\n\r\n"), false, ""},
        {reply("Content-Length: 6\r\nContent-Length: 7\r\n", "Update"), false, ""},
        {reply({}, "OK"), false, "OK"},
        {plain + "slow", false, ""}, // every byte in time, the whole too late
        {QStringLiteral("https://127.0.0.1:%1/").arg(tlsPort), true, ""},
        {QStringLiteral("http://192.0.2.1:9/program"), true, ""},
        {QStringLiteral("http://192.0.2.1:9/status"), false, ""},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.url.toStdString());
        platform::Transfer transfer;
        transfer.setTimeout(2000);
        QSignalSpy states(&transfer, &platform::Transfer::StateChanged);
        const QByteArray body =
            row.bytes ? transfer.OpenURLBytes(row.url) : transfer.OpenURL(row.url).toUtf8();
        EXPECT_EQ(body, row.body);
        EXPECT_EQ(transfer.failed(), row.body.isEmpty());
        EXPECT_EQ(states.last().at(0).toInt(),
                  row.body.isEmpty() ? platform::Transfer::Error : platform::Transfer::ResponseCompleted);
        if (row.url.contains(QStringLiteral("192.0.2.1"))) {
            EXPECT_EQ(states.size(), 1) << "refused before connecting";
        }
    }
}

TEST_F(TransferTest, AProgramArrivingSlowlyButSteadilyIsTakenAndAStalledOrCancelledOneIsNot)
{
    NginxServer nginx;
    // Three seconds of bytes, each second some: longer than the keyword time-out.
    ASSERT_TRUE(serve(nginx, 20240501, "Ready", QByteArray(48 * 1024, 'x'), "limit_rate 16k;"));
    QTcpServer stalling; // sends the head and a few bytes, then nothing
    stalling.listen(QHostAddress::LocalHost);
    QObject::connect(&stalling, &QTcpServer::newConnection, [&stalling] {
        QTcpSocket *peer = stalling.nextPendingConnection();
        QObject::connect(peer, &QTcpSocket::readyRead, peer, [peer] {
            peer->readAll();
            peer->write("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\nprogram");
        });
    });
    const QString stalled = QStringLiteral("http://127.0.0.1:%1/program").arg(stalling.serverPort());
    const struct {
        QString url;
        int stallSeconds;
        bool cancelAtHead;
        qsizetype bytes; // 0: the request fails
    } rows[] = {
        {nginx.url() + "/software/product/update/download.cgi?product=LYRA30&revision=7", 2, false,
         48 * 1024},
        {stalled, 2, false, 0},
        {stalled, 600, true, 0}, // Cancel ends it there and then
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.url.toStdString());
        platform::Transfer transfer;
        transfer.setTimeout(1000);
        transfer.setStallTimeout(row.stallSeconds);
        QObject::connect(&transfer, &platform::Transfer::StateChanged, [&](qint16 state) {
            if (row.cancelAtHead && state == platform::Transfer::ResponseReceived) {
                QTimer::singleShot(0, &transfer, &platform::Transfer::Cancel);
            }
        });
        EXPECT_EQ(transfer.OpenURLBytes(row.url).size(), row.bytes);
        EXPECT_EQ(transfer.failed(), row.bytes == 0);
    }
}

TEST_F(TransferTest, PublishingCostsTheSameForAnyRevisionAndNeverLeavesTheSiteMissing)
{
    NginxServer nginx;
    ASSERT_TRUE(serve(nginx, 20240501, "Ready"));
    int files = 0;
    for (QDirIterator it(nginx.folder(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();
         it.next()) {
        ++files;
    }
    EXPECT_LT(files, 100);
    // Republish while something looks at the site as fast as it can: it must find it every time.
    const char *watch =
        "while [ ! -e \"$2.stop\" ]; do [ -e \"$2/status\" ] || { echo gap; exit 1; }; done & w=$!\n"
        "for i in 1 2 3 4 5 6 7 8; do bash \"$1\" \"$2\" 1000 Ready \"$3\" \"$3.minisig\" >/dev/null ||\n"
        "  { touch \"$2.stop\"; exit 1; }; done\n"
        "touch \"$2.stop\"; wait $w";
    EXPECT_EQ(QProcess::execute("bash", {"-c", watch, "-", LYRA_SOURCE_DIR "/server/publish", nginx.folder(),
                                         nginx.path("program")}),
              0);
}
