// An asynchronous HTTP GET. Get returns at once; later exactly one event follows: PageReceived for any
// HTTP status (error pages and redirects included, redirects are not followed), or Error with the
// client's error code (a QNetworkReply::NetworkError value) when no complete response arrived.
// Events run on the main thread under the framework's error handling.
#pragma once

#include <QByteArray>
#include <QList>
#include <QNetworkReply>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

class QNetworkAccessManager;

namespace fw {

// The response headers, in the order the server sent them.
class InternetHeaders {
public:
    void Append(const QString& name, const QString& value) { headers_.append({name, value}); }
    int Count() const { return int(headers_.size()); }
    QString Name(int index) const { return headers_.value(index).first; }
    QString Value(int index) const { return headers_.value(index).second; }
    // The first value of the header of that name (letter case ignored), or "".
    QString Value(const QString& name) const;

private:
    QList<QPair<QString, QString>> headers_;
};

class HTTPSocket {
public:
    // A body longer than this ends the request with Error(QNetworkReply::UnknownContentError): the
    // documents fetched are a few kilobytes, and an endless or huge reply must not eat the memory.
    static constexpr qint64 kMaxBodyBytes = 4 * 1024 * 1024;

    HTTPSocket();
    ~HTTPSocket();
    HTTPSocket(const HTTPSocket&) = delete;
    HTTPSocket& operator=(const HTTPSocket&) = delete;

    // Starts the request and returns at once; a request still running is dropped without events.
    void Get(const QString& url);
    // Drops the running request; no event follows.
    void Disconnect();
    // True while a request runs.
    bool IsConnected() const { return !reply_.isNull(); }

    // The page's URL, the HTTP status, the response headers and the body (UTF-8 text).
    std::function<void(const QString& url, int status, const InternetHeaders& headers, const QString& body)>
        PageReceived;
    std::function<void(int code)> Error;

private:
    void CheckLength();
    void ReadSome();
    void Finished();
    void TooLong();
    // Ends the running request and takes its reply; nullptr when none runs.
    QNetworkReply* Detach();

    std::unique_ptr<QNetworkAccessManager> manager_;
    QPointer<QNetworkReply> reply_;
    // Receiver of the running request's signals; deleting it cuts them all.
    std::unique_ptr<QObject> listener_;
    QByteArray body_;
};

} // namespace fw
