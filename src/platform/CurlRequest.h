#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QTimer>
#include <curl/curl.h>
#include <map>

class QSocketNotifier;
class QUrl;

namespace platform {

struct CurlLibrary;

// What one request may take.
struct CurlLimits {
    qint64 maxBytes = 0;
    // From the start to the last byte; 0: no limit.
    int totalMs = 0;
    // For one address: libcurl shares it among the addresses of a family and tries
    // the other family after a moment (Happy Eyeballs).
    int connectMs = 0;
    // No byte for this long ends the request.
    int stallSeconds = 0;
    // A PEM file of authorities to trust besides the system's; empty: the system's alone.
    QString authorities;
};

// One HTTP GET over libcurl, driven by the event loop of its thread: libcurl names
// the sockets to watch and the time to wake it, socket notifiers and a timer do.
// Progress and the end are announced only after libcurl has returned, so whoever
// hears them may stop the request.
class CurlRequest : public QObject {
    Q_OBJECT
public:
    enum Step { Started, Resolved, Connected, Answering, HeadersDone, Done };

    CurlRequest(const QUrl &url, const CurlLimits &limits, QObject *parent = nullptr);
    ~CurlRequest() override;

    void start();
    // Ends the request at once; nothing more is announced.
    void stop();

    const QByteArray &body() const { return body_; }
    // The headers of the final reply (not of a 1xx one or of a proxy's).
    const QList<QPair<QByteArray, QByteArray>> &headers() const { return headers_; }

signals:
    void progressed(int step);
    // The reply was a 2xx one, complete and within the limits.
    void finished(bool ok);

private:
    static int onSocket(CURL *easy, curl_socket_t socket, int what, void *self, void *socketData);
    static int onTimer(CURLM *multi, long milliseconds, void *self);
    static size_t onHeader(char *data, size_t size, size_t count, void *self);
    static size_t onBody(char *data, size_t size, size_t count, void *self);

    void configure(const QUrl &url, const CurlLimits &limits);
    void limit(const CurlLimits &limits);
    void watch(curl_socket_t socket, int what);
    void act(curl_socket_t socket, int events);
    bool header(const QByteArray &line);
    int stepReached() const;
    void announce(int step);
    void end(bool ok);

    struct Watch {
        QSocketNotifier *read = nullptr;
        QSocketNotifier *write = nullptr;
    };
    static void forget(const Watch &watch);

    const CurlLibrary *curl_;
    CURLM *multi_ = nullptr;
    CURL *easy_ = nullptr;
    QTimer timer_;
    std::map<curl_socket_t, Watch> watches_;
    QByteArray body_;
    QList<QPair<QByteArray, QByteArray>> headers_;
    qint64 maxBytes_ = 0;
    int status_ = 0;
    int announced_ = Started;
    bool answering_ = false;
    bool headersDone_ = false;
    bool running_ = false;
};

} // namespace platform
