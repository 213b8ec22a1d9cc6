#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>

class QEventLoop;
class QSslSocket;
class QUrl;

namespace platform {

class HttpResponse;

// HTTP GET that blocks its caller: a local event loop runs until the reply has
// ended or failed, or the time-out has passed since the request began.
// StateChanged reports the steps with the state numbers of the Internet
// transfer control. The request carries the address and nothing about the
// user or the program: no User-Agent, no Accept-Language, no cookies.
class Transfer : public QObject {
    Q_OBJECT
public:
    enum State : qint16 {
        None = 0,
        Resolving = 1,
        Resolved = 2,
        Connecting = 3,
        Connected = 4,
        Requesting = 5,
        RequestSent = 6,
        ReceivingResponse = 7,
        ResponseReceived = 8,
        Disconnecting = 9,
        Disconnected = 10,
        Error = 11,
        ResponseCompleted = 12,
    };

    explicit Transfer(QObject *parent = nullptr);
    ~Transfer() override;

    // A keyword reply is a word; a server that sends more is not the update server.
    static constexpr qint64 MaxTextBytes = 512;
    static constexpr qint64 MaxProgramBytes = qint64(64) * 1024 * 1024;

    // The body as text; empty when the request failed.
    QString OpenURL(const QString &url);
    // The body as bytes; empty when the request failed. Bytes here are a program
    // to run, so they come only over verified HTTPS or from this machine: plain
    // HTTP to another host is refused before connecting.
    QByteArray OpenURLBytes(const QString &url);
    // A header of the current or last reply (name in any case); empty when absent.
    QString GetHeader(const QString &name) const;
    // Ends the running transfer, which then fails.
    void Cancel();

    // The last request failed: refused, no connection, an error status, too large,
    // cancelled or timed out.
    bool failed() const { return failed_; }
    // Longest time a request may take from its start to its last byte.
    void setTimeout(int milliseconds) { timeoutMs_ = milliseconds; }

    static bool mayCarryProgram(const QUrl &url);

signals:
    void StateChanged(qint16 state);

private:
    QByteArray fetch(const QUrl &url, qint64 maxBytes);
    // A socket of this transfer, connecting; it may have failed already.
    QSslSocket *connectTo(const QUrl &url);
    void watch(QSslSocket *socket, bool secure, const QByteArray &request);
    void receive();
    // Raises the states from the last one raised up to this one.
    void advanceTo(State state);
    void finish(bool ok);

    QSslSocket *socket_ = nullptr;
    HttpResponse *response_ = nullptr;
    QEventLoop *loop_ = nullptr;
    QList<QPair<QByteArray, QByteArray>> headers_;
    qint16 lastState_ = None;
    bool failed_ = false;
    int timeoutMs_ = 30000;
};

} // namespace platform
