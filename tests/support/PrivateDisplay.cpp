#include "support/PrivateDisplay.h"

#include <QProcess>

namespace PrivateDisplay {
namespace {
QProcess *server = nullptr;
} // namespace

bool start()
{
    server = new QProcess;
    server->setProgram(QStringLiteral("Xvfb"));
    server->setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                          QStringLiteral("0"), QStringLiteral("1024x768x24"), QStringLiteral("-wr"),
                          QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    server->start();
    // The server writes its display number once it accepts clients.
    QByteArray number;
    while (!number.endsWith('\n') && server->waitForReadyRead(10000)) {
        number += server->readAllStandardOutput();
    }
    if (number.trimmed().isEmpty()) {
        return false;
    }
    qputenv("DISPLAY", ":" + number.trimmed());
    qputenv("QT_QPA_PLATFORM", "xcb");
    return true;
}

void stop()
{
    if (server) {
        server->terminate();
        server->waitForFinished(5000);
        delete server;
        server = nullptr;
    }
}

} // namespace PrivateDisplay
