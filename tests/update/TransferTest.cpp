#include "platform/Transfer.h"
#include "UpdateFixture.h"

using TransferTest = UpdateFixture;

// What the shipped site answers, and what the transfer layer refuses to take.
TEST_F(TransferTest, OnlyTheThreeQueriesAnswerAndProgramsComeOnlyOverTrustedChannels)
{
    NginxServer nginx;
    nginx.publish(50, QStringLiteral("Ready"), "program");
    const quint16 tlsPort = NginxServer::freePort();
    const quint16 redirectPort = NginxServer::freePort();
    ASSERT_EQ(
        QProcess::execute(QStringLiteral("openssl"),
                          {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:P-256", "-nodes",
                           "-days", "2", "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1",
                           "-keyout", nginx.path("key.pem"), "-out", nginx.path("cert.pem")}),
        0);
    const QString extra =
        QStringLiteral("server { listen 127.0.0.1:%1 ssl; ssl_certificate %2; ssl_certificate_key %3; "
                       "location / { return 200 program; } }\n"
                       "server { listen 127.0.0.1:%4; location / { return 302 "
                       "http://localhost:%5/software/product/update/status.cgi?product=LYRA30; } }")
            .arg(tlsPort)
            .arg(nginx.path("cert.pem"), nginx.path("key.pem"))
            .arg(redirectPort)
            .arg(nginx.port());
    ASSERT_TRUE(nginx.start({}, extra));
    const QString base = nginx.url() + QStringLiteral("/software/product/update/");

    struct Row {
        QString url;
        bool bytes;
        QByteArray body; // empty: the request fails
    };
    const std::vector<Row> rows{
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
        {QStringLiteral("https://127.0.0.1:%1/").arg(tlsPort), true, ""},
        {QStringLiteral("http://192.0.2.1:9/program"), true, ""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.url.toStdString());
        platform::Transfer transfer;
        transfer.setTimeout(2000);
        QList<qint16> states;
        QObject::connect(&transfer, &platform::Transfer::StateChanged, [&](qint16 s) { states << s; });
        const QByteArray body =
            row.bytes ? transfer.OpenURLBytes(row.url) : transfer.OpenURL(row.url).toUtf8();
        EXPECT_EQ(body, row.body);
        EXPECT_EQ(transfer.failed(), row.body.isEmpty());
        EXPECT_EQ(states.last(),
                  row.body.isEmpty() ? platform::Transfer::Error : platform::Transfer::ResponseCompleted);
        if (row.url.contains(QStringLiteral("192.0.2.1"))) {
            EXPECT_EQ(states, QList<qint16>{platform::Transfer::Error}) << "refused before connecting";
        }
    }
}
