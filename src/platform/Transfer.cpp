#include "platform/Transfer.h"

#include "platform/CurlRequest.h"
#include "platform/LoopbackHost.h"

#include <QEventLoop>
#include <QPointer>
#include <QUrl>

namespace platform {
namespace {

QString &extraAuthorities()
{
    static QString file;
    return file;
}

} // namespace

Transfer::Transfer(QObject *parent) : QObject(parent) {}

Transfer::~Transfer()
{
    Cancel();
}

void Transfer::setExtraAuthorities(const QString &pemFile)
{
    extraAuthorities() = pemFile;
}

bool Transfer::isPermittedAddress(const QUrl &url)
{
    if (!url.isValid() || url.host().isEmpty()) {
        return false;
    }
    if (url.scheme() == QStringLiteral("https")) {
        return true;
    }
    const QString host = url.host();
    return url.scheme() == QStringLiteral("http") && isLoopbackHost(host);
}

QString Transfer::OpenURL(const QString &url)
{
    CurlLimits limits;
    limits.maxBytes = MaxTextBytes;
    limits.totalMs = timeoutMs_;
    return QString::fromUtf8(fetch(QUrl(url), limits));
}

QByteArray Transfer::OpenURLBytes(const QString &url, qint64 maxBytes)
{
    CurlLimits limits;
    limits.maxBytes = maxBytes;
    limits.totalMs = BytesTimeoutMs;
    return fetch(QUrl(url), limits);
}

QString Transfer::GetHeader(const QString &name) const
{
    for (const auto &[key, value] : headers_) {
        if (QString::fromLatin1(key).compare(name, Qt::CaseInsensitive) == 0) {
            return QString::fromLatin1(value);
        }
    }
    return {};
}

void Transfer::Cancel()
{
    finish(false);
}

QByteArray Transfer::fetch(const QUrl &url, CurlLimits limits)
{
    if (request_ != nullptr) {
        failed_ = true;
        return {};
    }
    headers_.clear();
    lastState_ = None;
    failed_ = true;
    if (!isPermittedAddress(url)) {
        emit StateChanged(Error);
        return {};
    }
    CurlRequest *request = newRequest(url, limits);

    QPointer<Transfer> alive(this);
    QEventLoop loop;
    loop_ = &loop;
    advanceTo(Resolving);
    if (alive && request_ == request) {
        request->start();
    }
    if (alive && request_ == request) {
        loop.exec();
    }
    if (!alive) {
        return {};
    }
    loop_ = nullptr;
    const QByteArray body = request->body();
    delete request;
    if (failed_) {
        emit StateChanged(Error);
        return {};
    }
    advanceTo(Disconnected);
    emit StateChanged(ResponseCompleted);
    return body;
}

CurlRequest *Transfer::newRequest(const QUrl &url, CurlLimits limits)
{
    limits.connectMs = ConnectTimeoutMs;
    limits.stallSeconds = stallSeconds_;
    limits.authorities = extraAuthorities();
    auto *request = new CurlRequest(url, limits, this);
    connect(request, &CurlRequest::progressed, this, &Transfer::progress);
    connect(request, &CurlRequest::finished, this, &Transfer::finish);
    request_ = request;
    return request;
}

void Transfer::progress(int step)
{
    static constexpr State reached[] = {
        None, Connecting, Requesting, ReceivingResponse, ResponseReceived, Disconnecting};
    if (step == CurlRequest::HeadersDone && request_ != nullptr) {
        headers_ = request_->headers();
    }
    advanceTo(reached[step]);
}

void Transfer::advanceTo(State state)
{
    for (int next = lastState_ + 1; next <= state; ++next) {
        lastState_ = static_cast<qint16>(next);
        emit StateChanged(lastState_);
    }
}

void Transfer::finish(bool ok)
{
    if (request_ == nullptr) {
        return;
    }
    // Nothing the request says from here on belongs to this transfer.
    request_->disconnect(this);
    request_->stop();
    request_ = nullptr;
    failed_ = !ok;
    if (loop_ != nullptr) {
        loop_->quit();
    }
}

} // namespace platform
