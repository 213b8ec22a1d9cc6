#include "UpdateFixture.h"
#include "platform/Launcher.h"
#include "platform/Transfer.h"
#include "update/DownloadTexts.h"
#include "update/UpdateFile.h"

#include <QFileInfo>
#include <QLabel>
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
        TestEnvironment::resetAll();
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
    QObject::connect(form.Inet, &platform::Transfer::StateChanged, [&](qint16 state) {
        // The form has taken the announced size: the download itself is under way.
        if (state == platform::Transfer::ResponseReceived && form.DownloadSize > 0) {
            QFile::resize(nginx.folder() + "/program", 100);
        }
    });
    form.FileDLStart->click();

    EXPECT_EQ(form.InfoLabel->text(), DownloadTexts::retry());
    EXPECT_TRUE(form.FileDLStart->isEnabled() && form.CancelNewVersion->isEnabled());
    EXPECT_FALSE(QFileInfo::exists(UpdateFile::path()));
}

TEST_F(DownloadTest, AServiceThatIsDownDropsTheAnnouncedUpdate)
{
    NginxServer nginx;
    ASSERT_TRUE(serve(nginx, ProgramVersion::Revision + 1, "NoReady"));
    SetRegString(HKEY_LOCAL_MACHINE, InstallKey, Release, "get");
    auto &form = FormRegistry::instance().load<NewVersionForm>();
    form.FileDLStart->click();

    EXPECT_EQ(form.InfoLabel->text(), "現在、アップデートサービスを利用できません。");
    EXPECT_TRUE(form.FileDLStart->text() == "閉じる" && form.CancelNewVersion->isHidden());
    EXPECT_EQ(install(Release) + ' ' + install(LastUP), " 2026/3/10");
    EXPECT_FALSE(nginx.accessLog().contains("download.cgi"));
}

TEST_F(TransferTest, OnlyTheThreeQueriesAnswerAndProgramsComeOnlyOverTrustedChannels)
{
    NginxServer nginx;
    const quint16 tlsPort = freePort(), redirectPort = freePort();
    ASSERT_EQ(
        QProcess::execute(QStringLiteral("openssl"),
                          {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:P-256", "-nodes",
                           "-days", "2", "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1",
                           "-keyout", nginx.path("key.pem"), "-out", nginx.path("cert.pem")}),
        0);
    const QString extra =
        QStringLiteral(
            "server { listen 127.0.0.1:%1 ssl; ssl_certificate %2; ssl_certificate_key %3; "
            "location / { return 200 program; } }\n"
            "server { listen 127.0.0.1:%4; location /choices { return 300 program; } location / { return 302 "
            "http://localhost:%5/software/product/update/status.cgi?product=LYRA30; } }")
            .arg(tlsPort)
            .arg(nginx.path("cert.pem"), nginx.path("key.pem"))
            .arg(redirectPort)
            .arg(nginx.port);
    ASSERT_TRUE(serve(nginx, 50, "Ready", "program", extra));
    QTcpServer liar; // announces more than it sends, then hangs up
    liar.listen(QHostAddress::LocalHost);
    QObject::connect(&liar, &QTcpServer::newConnection, [&liar] {
        QTcpSocket *peer = liar.nextPendingConnection();
        QObject::connect(peer, &QTcpSocket::readyRead, peer, [peer] {
            peer->write("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nprogram");
            peer->disconnectFromHost();
        });
    });
    const QString base = nginx.url() + QStringLiteral("/software/product/update/");

    const struct {
        QString url;
        bool bytes;
        QByteArray body; // empty: the request fails
    } rows[] = {
        {base + "status.cgi?product=LYRA30", false, "Ready"},
        {base + "version.cgi?product=LYRA30&revision=49", false, "Update"},
        {base + "version.cgi?product=LYRA30&revision=50", false, "OK"},
        {base + "download.cgi?product=LYRA30&revision=7", true, "program"},
        {base + "download.cgi?product=LYRA30&revision=50", true, ""},
        {base + "status.cgi?product=LYRA31", false, ""},
        {base + "version.cgi?product=LYRA30&revision=../status", false, ""},
        {base + "version.cgi?product=LYRA30&revision=current", false, ""},
        {nginx.url() + "/status", false, ""},
        {QStringLiteral("http://127.0.0.1:%1/").arg(redirectPort), false, ""},
        {QStringLiteral("http://127.0.0.1:%1/choices").arg(redirectPort), true, ""},
        {QStringLiteral("http://127.0.0.1:%1/").arg(liar.serverPort()), true, ""},
        {QStringLiteral("https://127.0.0.1:%1/").arg(tlsPort), true, ""},
        {QStringLiteral("http://192.0.2.1:9/program"), true, ""},
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
