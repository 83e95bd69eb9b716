#include "framework/HTTPSocket.h"

#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QUrl>
#include <utility>

namespace fw {

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

HTTPSocket::HTTPSocket(QObject* parent) : QObject(parent), manager_(new QNetworkAccessManager(this)) {}

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
    QNetworkReply* reply = manager_->get(request);
    reply_ = reply;
    connect(reply, &QNetworkReply::metaDataChanged, this, &HTTPSocket::CheckLength);
    connect(reply, &QIODevice::readyRead, this, &HTTPSocket::ReadSome);
    connect(reply, &QNetworkReply::finished, this, &HTTPSocket::Finished);
}

void HTTPSocket::Disconnect() {
    if (QNetworkReply* reply = Detach())
        reply->abort();
}

QNetworkReply* HTTPSocket::Detach() {
    body_.clear();
    QNetworkReply* reply = reply_.data();
    reply_.clear();
    if (reply) {
        reply->disconnect(this);
        reply->deleteLater();
    }
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
    // This runs inside one of the reply's signals, which goes on using the reply after it returns. Both
    // the reply's end and the error wait for the next pass of the event loop: a receiver of the error may
    // run an event loop of its own (a message box), which would otherwise delete the reply under the
    // signal still running.
    body_.clear();
    QNetworkReply* reply = reply_.data();
    reply->disconnect(this);
    QMetaObject::invokeMethod(
        this,
        [this, reply = QPointer<QNetworkReply>(reply)] {
            if (reply.isNull() || reply != reply_)
                return; // dropped meanwhile, or the socket has moved on to another request
            Detach();
            reply->abort();
            emit error(QNetworkReply::UnknownContentError);
        },
        Qt::QueuedConnection);
}

void HTTPSocket::Finished() {
    QNetworkReply* reply = reply_.data();
    body_ += reply->readAll();
    const QByteArray body = std::exchange(body_, QByteArray());
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const QNetworkReply::NetworkError failure = reply->error();
    Detach();
    // A receiver may delete this socket, so nothing after the signal touches it.
    if (status.isValid() && (failure == QNetworkReply::NoError || IsStatusError(failure))) {
        InternetHeaders headers;
        for (const auto& [name, value] : reply->rawHeaderPairs())
            headers.append({QString::fromLatin1(name), QString::fromLatin1(value)});
        const QString url = reply->url().toString();
        const QString text = QString::fromUtf8(body);
        emit pageReceived(url, status.toInt(), headers, text);
    } else {
        const int code =
            failure == QNetworkReply::NoError ? int(QNetworkReply::UnknownNetworkError) : int(failure);
        emit error(code);
    }
}

} // namespace fw
