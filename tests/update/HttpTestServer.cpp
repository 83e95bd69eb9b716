#include "update/HttpTestServer.h"

#include <QDeadlineTimer>
#include <QTcpSocket>
#include <QTest>

namespace testing_support {

HttpTestServer::HttpTestServer() {
    server_.listen(QHostAddress::LocalHost);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            auto head = std::make_shared<QByteArray>();
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket, head] {
                *head += socket->readAll();
                const qsizetype end = head->indexOf("\r\n\r\n");
                if (end < 0)
                    return;
                requests << head->left(end);
                head->clear();
                if (silent_)
                    return;
                socket->write(reply_);
                socket->disconnectFromHost();
            });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QString HttpTestServer::Base() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort());
}

void HttpTestServer::Page(int status, const QByteArray& body, const QByteArray& extraHeaders) {
    Reply("HTTP/1.0 " + QByteArray::number(status) + " Status\r\nContent-Type: text/xml\r\nContent-Length: " +
          QByteArray::number(body.size()) + "\r\n" + extraHeaders + "\r\n" + body);
}

quint16 HttpTestServer::RefusedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

bool WaitFor(const std::function<bool()>& cond, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!cond()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(5);
    }
    return true;
}

} // namespace testing_support
