#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// The shipped update-server site under a real nginx of its own: 127.0.0.1 on a
// free port, prefix, pid, logs and temp folders in a temporary folder, stopped by PID.
class NginxServer {
public:
    NginxServer();
    ~NginxServer();

    // Lays out a folder with server/publish.
    void publish(int newest, const QString &status, const QByteArray &program);
    // `listen` options and `extra` http-block lines let a test add TLS or more servers.
    bool start(const QString &listenOptions = {}, const QString &extra = {});
    void stop();

    QString url(const QString &scheme = QStringLiteral("http")) const;
    QString folder() const { return dir_.path() + QStringLiteral("/site"); }
    QString path(const char *name) const { return dir_.path() + u'/' + QLatin1String(name); }
    QByteArray accessLog() const;
    quint16 port() const { return port_; }

    static quint16 freePort();

private:
    QTemporaryDir dir_;
    QProcess process_;
    quint16 port_ = 0;
};
