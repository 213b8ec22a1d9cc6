#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>

class QEventLoop;
class QNetworkAccessManager;
class QNetworkReply;
class QUrl;

namespace platform {

// HTTP GET that blocks its caller: a local event loop runs until the reply has
// ended, failed or stalled for the time-out. StateChanged reports the steps with
// the state numbers of the Internet transfer control, as far as Qt reports them.
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

    // The last request failed: refused, no connection, an error status, cancelled or timed out.
    bool failed() const { return failed_; }
    // Longest wait without any data before a request fails.
    void setTimeout(int milliseconds) { timeoutMs_ = milliseconds; }

    static bool mayCarryProgram(const QUrl &url);

signals:
    void StateChanged(qint16 state);

private:
    QByteArray fetch(const QUrl &url);
    void watch(QNetworkReply *reply);
    // Raises the states from the last one raised up to this one.
    void advanceTo(State state);
    void finish();

    QNetworkAccessManager *network_;
    QNetworkReply *reply_ = nullptr;
    QEventLoop *loop_ = nullptr;
    QList<QPair<QByteArray, QByteArray>> headers_;
    qint16 lastState_ = None;
    bool failed_ = false;
    int timeoutMs_ = 30000;
};

} // namespace platform
