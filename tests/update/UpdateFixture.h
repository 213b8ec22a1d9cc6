#pragma once

#include "BuildPaths.h"
#include "core/FormRegistry.h"
#include "core/ProgramVersion.h"
#include "core/RegistryModule.h"
#include "platform/Clock.h"
#include "support/MessageRecorder.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"
#include "update/NewVersionForm.h"
#include "update/UpdateServer.h"

#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

using namespace RegistryModule;

inline quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// The shipped update site under a real nginx of its own on 127.0.0.1, stopped by PID.
class NginxServer {
public:
    ~NginxServer()
    {
        process_.terminate();
        process_.waitForFinished(5000);
    }

    // Lays the site out with server/publish; `extra` lines go into the http block.
    bool start(int newest, const QString &status, const QByteArray &program, const QString &extra = {})
    {
        if (!writeFile(path("program"), program) ||
            QProcess::execute("bash", {source + "publish", folder(), QString::number(newest), status,
                                       path("program")}) != 0) {
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
        const auto answers = [this] {
            QTcpSocket probe;
            probe.connectToHost(QHostAddress::LocalHost, port);
            return probe.waitForConnected(100);
        };
        if (QTest::qWaitFor(answers, 15000)) {
            return true;
        }
        ADD_FAILURE() << "nginx did not start: " << readFile(path("error.log")).toStdString();
        return false;
    }

    // key.pem and cert.pem for 127.0.0.1 issued by ca.pem, the test's own authority, which
    // nobody trusts unless a test says so; with `forSite`, the site is served over HTTPS.
    bool makeCertificates(bool forSite = true)
    {
        const bool made =
            QProcess::execute("bash", {"-c",
                                       "cd \"$0\" && k='-newkey ec -pkeyopt ec_paramgen_curve:P-256 "
                                       "-nodes -days 2' && openssl req -x509 $k -subj /CN=TestCA "
                                       "-keyout ca.key -out ca.pem && openssl req -x509 -CA "
                                       "ca.pem -CAkey ca.key $k -subj /CN=127.0.0.1 -addext "
                                       "subjectAltName=IP:127.0.0.1 -keyout key.pem -out cert.pem",
                                       dir_.path()}) == 0;
        tls_ = made && forSite;
        return made;
    }

    QString url() const { return QStringLiteral("%1://127.0.0.1:%2").arg(tls_ ? "https" : "http").arg(port); }
    QString folder() const { return path("site"); }
    QString path(const QString &name) const { return dir_.filePath(name); }
    QByteArray accessLog() const { return readFile(path("access.log")); }

    const quint16 port = freePort();

private:
    inline static const QString source = QStringLiteral(LYRA_SOURCE_DIR "/server/");
    QTemporaryDir dir_;
    QProcess process_;
    bool tls_ = false;
};

class UpdateFixture : public CleanStateTest {
protected:
    void SetUp() override
    {
        CleanStateTest::SetUp();
        messages.install();
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

    MessageRecorder messages;
};
