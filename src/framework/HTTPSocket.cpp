#include "framework/HTTPSocket.h"

#include "framework/Errors.h"

#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QUrl>
#include <utility>

namespace fw {

QString InternetHeaders::Value(const QString& name) const {
    for (const auto& [key, value] : headers_)
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    return QString();
}

namespace {

// Qt reports an HTTP error status as an error of the reply too; these codes stand for a status that
// came with a complete response, so the response is still a page. 400 is the one status Qt maps to
// a protocol error.
bool IsStatusError(QNetworkReply::NetworkError error) {
    return (error >= QNetworkReply::ContentAccessDenied && error <= QNetworkReply::UnknownContentError) ||
           (error >= QNetworkReply::InternalServerError && error <= QNetworkReply::UnknownServerError) ||
           error == QNetworkReply::ProtocolInvalidOperationError;
}

} // namespace

HTTPSocket::HTTPSocket() : manager_(std::make_unique<QNetworkAccessManager>()) {}

HTTPSocket::~HTTPSocket() {
    Disconnect();
}

void HTTPSocket::Get(const QString& url) {
    Disconnect();
    QNetworkRequest request{QUrl(url)};
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    request.setRawHeader("Accept", "*/*");
    request.setRawHeader("Accept-Language", "en");
    listener_ = std::make_unique<QObject>();
    QNetworkReply* reply = manager_->get(request);
    reply_ = reply;
    QObject::connect(reply, &QNetworkReply::metaDataChanged, listener_.get(), [this] { CheckLength(); });
    QObject::connect(reply, &QIODevice::readyRead, listener_.get(), [this] { ReadSome(); });
    QObject::connect(reply, &QNetworkReply::finished, listener_.get(), [this] { Finished(); });
}

void HTTPSocket::Disconnect() {
    if (QNetworkReply* reply = Detach())
        reply->abort();
}

QNetworkReply* HTTPSocket::Detach() {
    listener_.reset();
    body_.clear();
    QNetworkReply* reply = reply_.data();
    reply_.clear();
    if (reply)
        reply->deleteLater();
    return reply;
}

void HTTPSocket::CheckLength() {
    // A declared length past the cap fails at once, before any of the body is read.
    bool known = false;
    const qint64 length = reply_->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
    if (known && length > kMaxBodyBytes)
        TooLong();
}

void HTTPSocket::ReadSome() {
    // Read as the data comes, so that the client never holds more than the cap.
    body_ += reply_->readAll();
    if (body_.size() > kMaxBodyBytes)
        TooLong();
}

void HTTPSocket::TooLong() {
    listener_.reset();
    body_.clear();
    QNetworkReply* reply = reply_.data();
    reply_.clear();
    // Aborting inside the reply's own signal upsets it; abort on the next pass instead.
    QMetaObject::invokeMethod(
        reply,
        [reply] {
            reply->abort();
            reply->deleteLater();
        },
        Qt::QueuedConnection);
    const auto handler = Error;
    if (handler)
        Guard([&] { handler(QNetworkReply::UnknownContentError); });
}

void HTTPSocket::Finished() {
    QNetworkReply* reply = reply_.data();
    body_ += reply->readAll();
    const QByteArray body = std::exchange(body_, QByteArray());
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const QNetworkReply::NetworkError error = reply->error();
    Detach();
    // The handlers may close the owner of this socket, so nothing below touches the socket.
    if (status.isValid() && (error == QNetworkReply::NoError || IsStatusError(error))) {
        InternetHeaders headers;
        for (const auto& [name, value] : reply->rawHeaderPairs())
            headers.Append(QString::fromLatin1(name), QString::fromLatin1(value));
        const QString url = reply->url().toString();
        const QString text = QString::fromUtf8(body);
        const auto handler = PageReceived;
        if (handler)
            Guard([&] { handler(url, status.toInt(), headers, text); });
    } else {
        const int code =
            error == QNetworkReply::NoError ? int(QNetworkReply::UnknownNetworkError) : int(error);
        const auto handler = Error;
        if (handler)
            Guard([&] { handler(code); });
    }
}

} // namespace fw
