#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>

class QEventLoop;
class QUrl;

namespace platform {

class CurlRequest;
struct CurlLimits;

// HTTP GET over libcurl that blocks its caller: a local event loop runs until the
// reply has ended or failed. StateChanged reports the steps with the state numbers
// of the Internet transfer control. The request carries the address and nothing
// about the user or the program: no User-Agent, no Accept-Language, no cookies.
// Only https:// addresses are asked, and plain http:// on this machine.
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
    // Bytes come unbounded by the keyword time-out: 64 MiB at 150 kbit/s.
    static constexpr int BytesTimeoutMs = 60 * 60 * 1000;
    static constexpr int ConnectTimeoutMs = 20000;
    static constexpr int DefaultStallSeconds = 30;

    // The body as text; empty when the request failed.
    QString OpenURL(const QString &url);
    // The body as bytes, at most `maxBytes`; empty when the request failed.
    QByteArray OpenURLBytes(const QString &url, qint64 maxBytes = MaxProgramBytes);
    // A header of the current or last reply (name in any case); empty when absent.
    QString GetHeader(const QString &name) const;
    // Ends the running transfer at once, which then fails.
    void Cancel();

    // The last request failed: refused, no connection, an error status, too large,
    // cancelled, stalled or timed out.
    bool failed() const { return failed_; }
    // Longest time a text request may take from its start to its last byte.
    void setTimeout(int milliseconds) { timeoutMs_ = milliseconds; }
    // A request that receives nothing for this long fails.
    void setStallTimeout(int seconds) { stallSeconds_ = seconds; }

    // Authorities trusted besides the system's, for a test's own; empty: none.
    static void setExtraAuthorities(const QString &pemFile);
    // https://, or http:// on this machine.
    static bool isPermittedAddress(const QUrl &url);

signals:
    void StateChanged(qint16 state);

private:
    QByteArray fetch(const QUrl &url, CurlLimits limits);
    // The request of this transfer, not yet started.
    CurlRequest *newRequest(const QUrl &url, CurlLimits limits);
    void progress(int step);
    // Raises the states from the last one raised up to this one.
    void advanceTo(State state);
    void finish(bool ok);

    CurlRequest *request_ = nullptr;
    QEventLoop *loop_ = nullptr;
    QList<QPair<QByteArray, QByteArray>> headers_;
    qint16 lastState_ = None;
    bool failed_ = false;
    int timeoutMs_ = 30000;
    int stallSeconds_ = DefaultStallSeconds;
};

} // namespace platform
