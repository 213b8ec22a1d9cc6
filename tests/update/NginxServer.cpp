#include "NginxServer.h"

#include <QFile>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <gtest/gtest.h>

namespace {
const QString sourceServer = QStringLiteral(LYRA_SOURCE_ASSETS_DIR "/../server/");

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

NginxServer::NginxServer() : port_(freePort()) {}

NginxServer::~NginxServer()
{
    stop();
}

quint16 NginxServer::freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

void NginxServer::publish(int newest, const QString &status, const QByteArray &program)
{
    QFile file(path("program"));
    file.open(QIODevice::WriteOnly);
    file.write(program);
    file.close();
    ASSERT_EQ(QProcess::execute(QStringLiteral("bash"), {sourceServer + QStringLiteral("publish"), folder(),
                                                         QString::number(newest), status, file.fileName()}),
              0);
}

bool NginxServer::start(const QString &listenOptions, const QString &extra)
{
    QString site = QString::fromUtf8(readAll(sourceServer + QStringLiteral("lyrabox-update.conf")));
    site.replace(QRegularExpression(QStringLiteral("listen [^;]*;")),
                 QStringLiteral("listen 127.0.0.1:%1 %2;").arg(port_).arg(listenOptions));
    site.replace(QRegularExpression(QStringLiteral("root [^;]*;")), QStringLiteral("root %1;").arg(folder()));
    QString temps;
    for (const char *kind : {"client_body", "proxy", "fastcgi", "uwsgi", "scgi"}) {
        temps += QStringLiteral("%1_temp_path %2;\n").arg(QLatin1String(kind), path("tmp"));
    }
    // Running as root, one process keeps root's access to the temporary folder.
    const QString conf =
        QStringLiteral("daemon off;\nmaster_process off;\npid %1;\nerror_log %2;\n"
                       "events { worker_connections 64; }\n"
                       "http {\naccess_log %3;\n%4%5\n%6\n}\n")
            .arg(path("nginx.pid"), path("error.log"), path("access.log"), temps, extra, site);
    QFile file(path("nginx.conf"));
    file.open(QIODevice::WriteOnly);
    file.write(conf.toUtf8());
    file.close();
    process_.start(QStringLiteral("nginx"), {QStringLiteral("-p"), dir_.path(), QStringLiteral("-c"),
                                             file.fileName(), QStringLiteral("-e"), path("error.log")});
    for (int i = 0; i < 100 && process_.state() != QProcess::NotRunning; ++i) {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, port_);
        if (probe.waitForConnected(100)) {
            return true;
        }
        QThread::msleep(50);
    }
    ADD_FAILURE() << "nginx did not start: " << readAll(path("error.log")).toStdString();
    return false;
}

void NginxServer::stop()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.terminate();
        process_.waitForFinished(5000);
    }
}

QString NginxServer::url(const QString &scheme) const
{
    return QStringLiteral("%1://127.0.0.1:%2").arg(scheme).arg(port_);
}

QByteArray NginxServer::accessLog() const
{
    return readAll(dir_.path() + QStringLiteral("/access.log"));
}
