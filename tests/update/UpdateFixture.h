#pragma once

#include "BuildPaths.h"
#include "core/ProgramVersion.h"
#include "platform/Clock.h"
#include "support/ChildProcess.h"
#include "support/PlayerFixture.h"
#include "update/NewVersionForm.h"
#include "update/UpdateServer.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>

using namespace RegistryModule;

inline quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// Something accepts connections on `port` within `ms`.
inline bool answersWithin(quint16 port, int ms)
{
    return QTest::qWaitFor(
        [port] {
            QTcpSocket probe;
            probe.connectToHost(QHostAddress::LocalHost, port);
            return probe.waitForConnected(100);
        },
        ms);
}

// A publisher's minisign key pair in `folder`, made on first use, as `minisign -G` makes it.
class Publisher {
public:
    explicit Publisher(const QString &folder, const QString &name = "publisher") : base_(folder + '/' + name)
    {
    }
    // Signs `file` into `file`.minisig; `legacy` signs the file itself rather than its hash.
    bool sign(const QString &file, bool legacy = false) const
    {
        if (!QFile::exists(base_ + ".key") &&
            !minisign({"-G", "-W", "-p", base_ + ".pub", "-s", base_ + ".key"})) {
            return false;
        }
        QStringList args{"-S", "-s", base_ + ".key", "-m", file, "-x", file + ".minisig"};
        if (legacy) {
            args << "-l";
        }
        return minisign(args);
    }
    // The .pub file's text.
    QString publicKey() const { return QString::fromLatin1(readFile(base_ + ".pub")); }

private:
    static bool minisign(const QStringList &args) { return QProcess::execute("minisign", args) == 0; }

    QString base_;
};

// The shipped update site under a real nginx of its own on 127.0.0.1, stopped by PID.
class NginxServer {
public:
    // Lays the site out with server/publish, the program signed by `publisher`; `extra`
    // lines go into the http block.
    bool start(int newest, const QString &status, const QByteArray &program, const QString &extra = {})
    {
        if (!writeFile(path("program"), program) || !publisher().sign(path("program")) ||
            QProcess::execute("bash", {source + "publish", folder(), QString::number(newest), status,
                                       path("program"), path("program.minisig")}) != 0) {
            ADD_FAILURE() << "the site was not published";
            return false;
        }
        QString site = QString::fromUtf8(readFile(source + "lyrabox-update.conf"));
        site.replace(QRegularExpression("listen [^;]*;"),
                     QStringLiteral("listen 127.0.0.1:%1%2;").arg(port).arg(tls_ ? " ssl" : ""));
        site.replace(QRegularExpression("root [^;]*;"), "root " + folder() + ';');
        site.replace(QRegularExpression("ssl_certificate ([^;]*);"),
                     tls_ ? "ssl_certificate " + path("cert.pem") + ';' : "");
        site.replace(QRegularExpression("ssl_certificate_key ([^;]*);"),
                     tls_ ? "ssl_certificate_key " + path("key.pem") + ';' : "");
        // Running as root, one process keeps root's access to the temporary folder. The log
        // shows what each request told about its sender.
        writeFile(
            path("nginx.conf"),
            QStringLiteral("daemon off;\nmaster_process off;\npid %1/nginx.pid;\nerror_log %1/error.log;\n"
                           "events { worker_connections 64; }\nhttp {\n"
                           "log_format sender '$request|$http_user_agent|$http_accept_language';\n"
                           "access_log %1/access.log sender;\n"
                           "client_body_temp_path %1; proxy_temp_path %1; fastcgi_temp_path %1;\n"
                           "uwsgi_temp_path %1; scgi_temp_path %1;\n%2\n%3\n}\n")
                .arg(dir_.path(), extra, site)
                .toUtf8());
        process_.start("nginx", {"-p", dir_.path(), "-c", path("nginx.conf"), "-e", path("error.log")});
        if (answersWithin(port, 15000)) {
            return true;
        }
        ADD_FAILURE() << "nginx did not start: " << readFile(path("error.log")).toStdString();
        return false;
    }

    // key.pem and cert.pem for `name` (127.0.0.1 unless a test wants another host's) issued
    // by ca.pem, the test's own authority, which nobody trusts unless a test says so; with
    // `forSite`, the site is served over HTTPS.
    bool makeCertificates(bool forSite = true, const QString &name = "IP:127.0.0.1")
    {
        const bool made =
            QProcess::execute("bash", {"-c",
                                       "cd \"$0\" && k='-newkey ec -pkeyopt ec_paramgen_curve:P-256 "
                                       "-nodes -days 2' && openssl req -x509 $k -subj /CN=TestCA "
                                       "-keyout ca.key -out ca.pem && openssl req -x509 -CA "
                                       "ca.pem -CAkey ca.key $k -subj /CN=server -addext "
                                       "subjectAltName=$1 -keyout key.pem -out cert.pem",
                                       dir_.path(), name}) == 0;
        tls_ = made && forSite;
        return made;
    }

    QString url() const { return QStringLiteral("%1://127.0.0.1:%2").arg(tls_ ? "https" : "http").arg(port); }
    QString folder() const { return path("site"); }
    QString path(const QString &name) const { return dir_.filePath(name); }
    QByteArray accessLog() const { return readFile(path("access.log")); }

    const quint16 port = freePort();
    Publisher publisher() const { return Publisher(dir_.path()); }

private:
    inline static const QString source = QStringLiteral(LYRA_SOURCE_DIR "/server/");
    QTemporaryDir dir_;
    ChildProcess process_;
    bool tls_ = false;
};

// tinyproxy of its own on 127.0.0.1, logging each connection, stopped by PID.
class ForwardProxy {
public:
    bool start()
    {
        writeFile(dir_.filePath("tinyproxy.conf"),
                  QStringLiteral("Port %1\nListen 127.0.0.1\nTimeout 60\nLogFile \"%2\"\nLogLevel Connect\n"
                                 "PidFile \"%3\"\nMaxClients 10\nAllow 127.0.0.1\n")
                      .arg(port)
                      .arg(dir_.filePath("log"), dir_.filePath("pid"))
                      .toUtf8());
        process_.start("tinyproxy", {"-d", "-c", dir_.filePath("tinyproxy.conf")});
        return process_.waitForStarted() && answersWithin(port, 15000);
    }
    QString url() const { return QStringLiteral("http://127.0.0.1:%1").arg(port); }
    QByteArray log() const { return readFile(dir_.filePath("log")); }

    const quint16 port = freePort();

private:
    QTemporaryDir dir_;
    ChildProcess process_;
};

class UpdateFixture : public PlayerFixture {
protected:
    void SetUp() override
    {
        PlayerFixture::SetUp();
        platform::setTodayOverride(QDate(2026, 3, 10));
        SetRegString(HKEY_LOCAL_MACHINE, InstallKey, UpdateServer::TimeoutValue, QStringLiteral("1"));
        SetRegString(HKEY_LOCAL_MACHINE, InstallKey, LastUP, QStringLiteral("2026/1/1"));
    }

    static bool serve(NginxServer &nginx, int newest, const QString &status,
                      const QByteArray &program = "program", const QString &extra = {})
    {
        useServer(nginx.url());
        return nginx.start(newest, status, program, extra);
    }
    static void useServer(const QString &url)
    {
        SetRegString(HKEY_LOCAL_MACHINE, InstallKey, UpdateServer::ServerValue, url);
    }
    static QString install(const QString &value)
    {
        return GetRegString(HKEY_LOCAL_MACHINE, InstallKey, value);
    }
};
