// A small HTTP server on 127.0.0.1 inside the test process: it records the head of each request and
// answers every one with the same canned bytes, then closes the connection.
#pragma once

#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <utility>

namespace testing_support {

class HttpTestServer : public QObject {
public:
    HttpTestServer() {
        server_.listen(QHostAddress::LocalHost);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    const QByteArray head = socket->peek(1 << 16); // taken once it is whole
                    if (!head.contains("\r\n\r\n"))
                        return;
                    requests << head.left(head.indexOf("\r\n\r\n"));
                    socket->readAll();
                    if (silent) {
                        held << socket;
                        return;
                    }
                    socket->write(reply);
                    socket->disconnectFromHost();
                });
            }
        });
    }
    QString Base() const { return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort()); }
    void Page(int status, const QByteArray& body, const QByteArray& headers = {}) {
        reply = "HTTP/1.0 " + QByteArray::number(status) +
                " Status\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n" + headers + "\r\n" +
                body;
    }

    // Answers the requests that a silent server has held back.
    void AnswerHeld() {
        for (const QPointer<QTcpSocket>& socket : std::exchange(held, {}))
            if (socket && socket->state() == QAbstractSocket::ConnectedState) {
                socket->write(reply);
                socket->disconnectFromHost();
            }
    }

    QByteArray reply;                 // sent as it stands
    bool silent = false;              // takes requests and never answers
    QList<QByteArray> requests;       // request line and headers
    QList<QPointer<QTcpSocket>> held; // requests a silent server has not answered

private:
    QTcpServer server_;
};

} // namespace testing_support
