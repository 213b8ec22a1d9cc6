#include "platform/Transfer.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QSslConfiguration>
#include <QUrl>
#include <algorithm>

namespace platform {

Transfer::Transfer(QObject *parent) : QObject(parent), network_(new QNetworkAccessManager(this)) {}

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
    return QString::fromUtf8(fetch(QUrl(url)));
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
    return fetch(target);
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
    if (reply_ != nullptr) {
        reply_->abort();
    }
}

QByteArray Transfer::fetch(const QUrl &url)
{
    if (reply_ != nullptr) {
        failed_ = true;
        return {};
    }
    headers_.clear();
    lastState_ = None;
    failed_ = false;

    QNetworkRequest request(url);
    // Another host could serve anything under the update server's name.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::SameOriginRedirectPolicy);
    request.setTransferTimeout(timeoutMs_);
    // The body must arrive as sent, so that its size matches "Content-length".
    request.setRawHeader("Accept-Encoding", "identity");
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setPeerVerifyMode(QSslSocket::VerifyPeer);
    request.setSslConfiguration(tls);

    QPointer<Transfer> alive(this);
    QEventLoop loop;
    loop_ = &loop;
    reply_ = network_->get(request);
    watch(reply_);
    loop.exec();
    if (!alive) {
        return {};
    }
    loop_ = nullptr;
    QNetworkReply *reply = reply_;
    reply_ = nullptr;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    failed_ = reply->error() != QNetworkReply::NoError || status < 200 || status > 299;
    QByteArray body = failed_ ? QByteArray() : reply->readAll();
    reply->deleteLater();
    emit StateChanged(failed_ ? Error : ResponseCompleted);
    return body;
}

void Transfer::watch(QNetworkReply *reply)
{
    connect(reply, &QNetworkReply::socketStartedConnecting, this, [this] { advanceTo(Connecting); });
    connect(reply, &QNetworkReply::requestSent, this, [this] { advanceTo(RequestSent); });
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] {
        headers_ = reply->rawHeaderPairs();
        advanceTo(ResponseReceived);
    });
    connect(reply, &QNetworkReply::finished, this, &Transfer::finish);
}

void Transfer::advanceTo(State state)
{
    // Qt reports neither the name look-up nor the steps between these signals.
    for (int next = std::max<int>(lastState_ + 1, Connecting); next <= state; ++next) {
        lastState_ = static_cast<qint16>(next);
        emit StateChanged(lastState_);
    }
}

void Transfer::finish()
{
    if (loop_ != nullptr) {
        loop_->quit();
    }
}

} // namespace platform
