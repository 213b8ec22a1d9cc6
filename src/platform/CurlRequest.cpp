#include "platform/CurlRequest.h"

#include "platform/CurlLibrary.h"
#include "platform/LoopbackHost.h"

#include <QSocketNotifier>
#include <QUrl>

namespace platform {
namespace {

qint64 infoTime(const CurlLibrary &curl, CURL *easy, CURLINFO info)
{
    curl_off_t value = 0;
    curl.easy_getinfo(easy, info, &value);
    return value;
}

} // namespace

CurlRequest::CurlRequest(const QUrl &url, const CurlLimits &limits, QObject *parent)
    : QObject(parent), curl_(curlLibrary()), maxBytes_(limits.maxBytes)
{
    timer_.setSingleShot(true);
    if (!curl_) {
        return;
    }
    multi_ = curl_->multi_init();
    easy_ = curl_->easy_init();
    connect(&timer_, &QTimer::timeout, this, [this] { act(CURL_SOCKET_TIMEOUT, 0); });
    configure(url, limits);
    curl_->multi_setopt(multi_, CURLMOPT_SOCKETFUNCTION, &CurlRequest::onSocket);
    curl_->multi_setopt(multi_, CURLMOPT_SOCKETDATA, this);
    curl_->multi_setopt(multi_, CURLMOPT_TIMERFUNCTION, &CurlRequest::onTimer);
    curl_->multi_setopt(multi_, CURLMOPT_TIMERDATA, this);
}

CurlRequest::~CurlRequest()
{
    stop();
    if (curl_) {
        curl_->easy_cleanup(easy_);
        curl_->multi_cleanup(multi_);
    }
}

// libcurl's defaults send no User-Agent, no Accept-Language and no Accept-Encoding,
// follow no redirect, and take the proxy from https_proxy, no_proxy and the like.
void CurlRequest::configure(const QUrl &url, const CurlLimits &limits)
{
    curl_->easy_setopt(easy_, CURLOPT_URL, url.toEncoded().constData());
    curl_->easy_setopt(easy_, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_->easy_setopt(easy_, CURLOPT_FOLLOWLOCATION, 0L);
    curl_->easy_setopt(easy_, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_1));
    curl_->easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
    curl_->easy_setopt(easy_, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_->easy_setopt(easy_, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!limits.authorities.isEmpty()) {
        curl_->easy_setopt(easy_, CURLOPT_CAINFO, limits.authorities.toLocal8Bit().constData());
    }
    // Plain HTTP is for this machine alone: through a proxy it would reach the proxy's.
    if (url.scheme() == QStringLiteral("http") && isLoopbackHost(url.host())) {
        curl_->easy_setopt(easy_, CURLOPT_PROXY, "");
    }
    curl_->easy_setopt(easy_, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
    limit(limits);
    curl_->easy_setopt(easy_, CURLOPT_HEADERFUNCTION, &CurlRequest::onHeader);
    curl_->easy_setopt(easy_, CURLOPT_HEADERDATA, this);
    curl_->easy_setopt(easy_, CURLOPT_WRITEFUNCTION, &CurlRequest::onBody);
    curl_->easy_setopt(easy_, CURLOPT_WRITEDATA, this);
}

void CurlRequest::limit(const CurlLimits &limits)
{
    // A Content-Length above the cap fails at once; onBody() counts what comes without one.
    curl_->easy_setopt(easy_, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(limits.maxBytes));
    curl_->easy_setopt(easy_, CURLOPT_TIMEOUT_MS, long(limits.totalMs));
    curl_->easy_setopt(easy_, CURLOPT_CONNECTTIMEOUT_MS, long(limits.connectMs));
    curl_->easy_setopt(easy_, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_->easy_setopt(easy_, CURLOPT_LOW_SPEED_TIME, long(limits.stallSeconds));
}

void CurlRequest::start()
{
    running_ = curl_ && curl_->multi_add_handle(multi_, easy_) == CURLM_OK;
    if (!running_) {
        emit finished(false);
    }
}

void CurlRequest::stop()
{
    if (!running_) {
        return;
    }
    running_ = false;
    timer_.stop();
    curl_->multi_remove_handle(multi_, easy_);
    for (const auto &[socket, watch] : watches_) {
        forget(watch);
    }
    watches_.clear();
}

// A notifier that goes is switched off at once and deleted later, as one of its
// own signals may be running.
void CurlRequest::forget(const Watch &watch)
{
    for (QSocketNotifier *notifier : {watch.read, watch.write}) {
        if (notifier != nullptr) {
            notifier->setEnabled(false);
            notifier->deleteLater();
        }
    }
}

int CurlRequest::onSocket(CURL *, curl_socket_t socket, int what, void *self, void *)
{
    static_cast<CurlRequest *>(self)->watch(socket, what);
    return 0;
}

int CurlRequest::onTimer(CURLM *, long milliseconds, void *self)
{
    auto *request = static_cast<CurlRequest *>(self);
    if (milliseconds < 0) {
        request->timer_.stop();
    } else {
        request->timer_.start(static_cast<int>(milliseconds));
    }
    return 0;
}

void CurlRequest::watch(curl_socket_t socket, int what)
{
    Watch &watch = watches_[socket];
    if (what == CURL_POLL_REMOVE) {
        forget(watch);
        watches_.erase(socket);
        return;
    }
    if (watch.read == nullptr) {
        watch.read = new QSocketNotifier(socket, QSocketNotifier::Read, this);
        watch.write = new QSocketNotifier(socket, QSocketNotifier::Write, this);
        connect(watch.read, &QSocketNotifier::activated, this,
                [this, socket] { act(socket, CURL_CSELECT_IN); });
        connect(watch.write, &QSocketNotifier::activated, this,
                [this, socket] { act(socket, CURL_CSELECT_OUT); });
    }
    watch.read->setEnabled(what == CURL_POLL_IN || what == CURL_POLL_INOUT);
    watch.write->setEnabled(what == CURL_POLL_OUT || what == CURL_POLL_INOUT);
}

void CurlRequest::act(curl_socket_t socket, int events)
{
    if (!running_) {
        return;
    }
    int running = 0;
    curl_->multi_socket_action(multi_, socket, events, &running);
    bool done = false;
    bool ok = false;
    int left = 0;
    while (CURLMsg *message = curl_->multi_info_read(multi_, &left)) {
        if (message->msg == CURLMSG_DONE) {
            done = true;
            ok = message->data.result == CURLE_OK && headersDone_;
        }
    }
    announce(stepReached());
    if (done && running_) {
        end(ok);
    }
}

int CurlRequest::stepReached() const
{
    if (headersDone_) {
        return HeadersDone;
    }
    if (answering_) {
        return Answering;
    }
    // Times are 0 until the step has been reached.
    if (infoTime(*curl_, easy_, CURLINFO_PRETRANSFER_TIME_T) > 0) {
        return Connected;
    }
    if (infoTime(*curl_, easy_, CURLINFO_NAMELOOKUP_TIME_T) > 0) {
        return Resolved;
    }
    return Started;
}

void CurlRequest::announce(int step)
{
    while (running_ && announced_ < step) {
        emit progressed(++announced_);
    }
}

void CurlRequest::end(bool ok)
{
    stop();
    if (ok) {
        announced_ = Done;
        emit progressed(Done);
    }
    emit finished(ok);
}

size_t CurlRequest::onHeader(char *data, size_t size, size_t count, void *self)
{
    const QByteArray line(data, static_cast<qsizetype>(size * count));
    return static_cast<CurlRequest *>(self)->header(line) ? size * count : 0;
}

// One line of the head. A 1xx reply's head is followed by the real one; a reply
// other than 2xx ends the request (redirects are not followed).
bool CurlRequest::header(const QByteArray &line)
{
    if (headersDone_) {
        return true; // trailers of a chunked body
    }
    answering_ = true;
    const QByteArray text = line.trimmed();
    if (text.startsWith("HTTP/")) {
        headers_.clear();
        status_ = text.split(' ').value(1).toInt();
        return true;
    }
    if (!text.isEmpty()) {
        const qsizetype colon = text.indexOf(':');
        if (colon > 0) {
            headers_.append({text.left(colon).trimmed(), text.mid(colon + 1).trimmed()});
        }
        return true;
    }
    if (status_ >= 100 && status_ < 200) {
        return true;
    }
    headersDone_ = status_ >= 200 && status_ < 300;
    return headersDone_;
}

size_t CurlRequest::onBody(char *data, size_t size, size_t count, void *self)
{
    auto *request = static_cast<CurlRequest *>(self);
    const auto bytes = static_cast<qsizetype>(size * count);
    if (request->body_.size() + bytes > request->maxBytes_) {
        return 0;
    }
    request->body_.append(data, bytes);
    return size * count;
}

} // namespace platform
