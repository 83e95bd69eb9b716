// An asynchronous HTTP GET. Get returns at once; later exactly one signal follows: pageReceived for any
// HTTP status (error pages and redirects included, redirects are not followed), or error with the
// client's error code (a QNetworkReply::NetworkError value) when no complete response arrived.
#pragma once

#include <QByteArray>
#include <QList>
#include <QNetworkReply>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QString>

class QNetworkAccessManager;

namespace fw {

// The response headers (name, value), in the order the server sent them.
using InternetHeaders = QList<QPair<QString, QString>>;

class HTTPSocket : public QObject {
    Q_OBJECT
public:
    // A body longer than this ends the request with error(QNetworkReply::UnknownContentError): the
    // documents fetched are a few kilobytes, and an endless or huge reply must not eat the memory.
    static constexpr qint64 kMaxBodyBytes = 4 * 1024 * 1024;

    explicit HTTPSocket(QObject* parent = nullptr);
    ~HTTPSocket() override;

    // Starts the request and returns at once; a request still running is dropped without signals.
    void Get(const QString& url);
    // Drops the running request; no signal follows.
    void Disconnect();
    // True while a request runs.
    bool IsConnected() const { return !reply_.isNull(); }

signals:
    // The page's URL, the HTTP status, the response headers and the body (UTF-8 text). A receiver may
    // delete the socket.
    void pageReceived(const QString& url, int status, const fw::InternetHeaders& headers,
                      const QString& body);
    void error(int code);

private:
    void CheckLength();
    void ReadSome();
    void Finished();
    void TooLong();
    // Ends the running request and takes its reply; nullptr when none runs.
    QNetworkReply* Detach();

    QNetworkAccessManager* manager_;
    QPointer<QNetworkReply> reply_;
    QByteArray body_;
};

} // namespace fw
