#include "platform/Transfer.h"

#include "platform/HttpResponse.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QPointer>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTimer>
#include <QUrl>

namespace platform {
namespace {

bool isWebAddress(const QUrl &url)
{
    return url.isValid() && !url.host().isEmpty() &&
           (url.scheme() == QStringLiteral("http") || url.scheme() == QStringLiteral("https"));
}

// The request line and the headers HTTP/1.1 requires, and one that keeps the
// body as the server stored it, so that its size matches "Content-length".
QByteArray requestFor(const QUrl &url)
{
    QByteArray target = url.path(QUrl::FullyEncoded).toLatin1();
    if (target.isEmpty()) {
        target = "/";
    }
    if (url.hasQuery()) {
        target += '?' + url.query(QUrl::FullyEncoded).toLatin1();
    }
    QByteArray host = url.host(QUrl::FullyEncoded).toLatin1();
    if (host.contains(':')) {
        host = '[' + host + ']';
    }
    if (url.port() != -1) {
        host += ':' + QByteArray::number(url.port());
    }
    return "GET " + target + " HTTP/1.1\r\nHost: " + host +
           "\r\nAccept-Encoding: identity\r\nConnection: close\r\n\r\n";
}

} // namespace

Transfer::Transfer(QObject *parent) : QObject(parent) {}

Transfer::~Transfer()
{
    Cancel();
}

bool Transfer::mayCarryProgram(const QUrl &url)
{
    if (url.scheme() == QStringLiteral("https")) {
        return true;
    }
    if (url.scheme() != QStringLiteral("http")) {
        return false;
    }
    const QString host = url.host();
    return host.compare(QStringLiteral("localhost"), Qt::CaseInsensitive) == 0 ||
           QHostAddress(host).isLoopback();
}

QString Transfer::OpenURL(const QString &url)
{
    return QString::fromUtf8(fetch(QUrl(url), MaxTextBytes));
}

QByteArray Transfer::OpenURLBytes(const QString &url)
{
    const QUrl target(url);
    if (!mayCarryProgram(target)) {
        headers_.clear();
        failed_ = true;
        emit StateChanged(Error);
        return {};
    }
    return fetch(target, MaxProgramBytes);
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
    if (socket_ != nullptr) {
        finish(false);
    }
}

QByteArray Transfer::fetch(const QUrl &url, qint64 maxBytes)
{
    if (socket_ != nullptr) {
        failed_ = true;
        return {};
    }
    headers_.clear();
    lastState_ = None;
    failed_ = true;
    if (!isWebAddress(url)) {
        emit StateChanged(Error);
        return {};
    }
    HttpResponse response(maxBytes);
    response_ = &response;
    QTimer deadline;
    deadline.setSingleShot(true);
    connect(&deadline, &QTimer::timeout, this, [this] { finish(false); });
    deadline.start(timeoutMs_);

    QPointer<Transfer> alive(this);
    QEventLoop loop;
    loop_ = &loop;
    QSslSocket *socket = connectTo(url);
    if (socket_ != nullptr) {
        loop.exec();
    }
    if (!alive) {
        return {};
    }
    loop_ = nullptr;
    response_ = nullptr;
    socket->abort();
    socket->deleteLater();
    if (failed_) {
        emit StateChanged(Error);
        return {};
    }
    advanceTo(Disconnected);
    emit StateChanged(ResponseCompleted);
    return response.body();
}

QSslSocket *Transfer::connectTo(const QUrl &url)
{
    const bool secure = url.scheme() == QStringLiteral("https");
    auto *socket = new QSslSocket(this);
    socket_ = socket;
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setPeerVerifyMode(QSslSocket::VerifyPeer);
    socket->setSslConfiguration(tls);
    watch(socket, secure, requestFor(url));
    const auto port = static_cast<quint16>(url.port(secure ? 443 : 80));
    if (secure) {
        socket->connectToHostEncrypted(url.host(), port);
    } else {
        socket->connectToHost(url.host(), port);
    }
    return socket;
}

void Transfer::watch(QSslSocket *socket, bool secure, const QByteArray &request)
{
    connect(socket, &QAbstractSocket::stateChanged, this, [this](QAbstractSocket::SocketState state) {
        if (state == QAbstractSocket::HostLookupState) {
            advanceTo(Resolving);
        } else if (state == QAbstractSocket::ConnectingState) {
            advanceTo(Connecting);
        }
    });
    const auto send = [this, socket, request] {
        advanceTo(Connected);
        advanceTo(Requesting);
        socket->write(request);
    };
    if (secure) {
        connect(socket, &QSslSocket::encrypted, this, send);
    } else {
        connect(socket, &QAbstractSocket::connected, this, send);
    }
    connect(socket, &QAbstractSocket::bytesWritten, this, [this, socket] {
        if (socket->bytesToWrite() == 0) {
            advanceTo(RequestSent);
        }
    });
    connect(socket, &QAbstractSocket::readyRead, this, &Transfer::receive);
    connect(socket, &QAbstractSocket::disconnected, this, [this] {
        response_->closed();
        finish(response_->complete());
    });
    connect(socket, &QAbstractSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        if (error != QAbstractSocket::RemoteHostClosedError) {
            finish(false);
        }
    });
}

void Transfer::receive()
{
    advanceTo(ReceivingResponse);
    if (socket_ == nullptr) {
        return; // cancelled by whoever heard the state
    }
    const bool hadHead = response_->headComplete();
    response_->feed(socket_->readAll());
    if (response_->invalid()) {
        finish(false);
        return;
    }
    if (!hadHead && response_->headComplete()) {
        headers_ = response_->headers();
        // Redirects are not followed: the update server answers in place.
        if (response_->status() < 200 || response_->status() > 299) {
            finish(false);
            return;
        }
        advanceTo(ResponseReceived);
    }
    if (response_->complete()) {
        advanceTo(Disconnecting);
        finish(true);
    }
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
    if (socket_ == nullptr) {
        return;
    }
    // Nothing the socket says from here on belongs to this request.
    socket_->disconnect(this);
    socket_ = nullptr;
    failed_ = !ok;
    if (loop_ != nullptr) {
        loop_->quit();
    }
}

} // namespace platform
