// The framework's HTTP GET: one event per request, for any status.
#include "framework/HTTPSocket.h"
#include "support/TestSupport.h"
#include "update/HttpTestServer.h"

#include <QTest>

namespace {

class HTTPSocketTest : public testing_support::AppTest {
protected:
    HTTPSocketTest() {
        QObject::connect(
            &socket, &fw::HTTPSocket::pageReceived,
            [this](const QString& url, int status, const fw::InternetHeaders& headers, const QString& body) {
                const QString test = headers.contains({"X-Test", "yes"}) ? "yes" : "";
                events << QStringLiteral("%1 %2 %3 %4").arg(url).arg(status).arg(test, body);
            });
        QObject::connect(&socket, &fw::HTTPSocket::error,
                         [this](int code) { events << QStringLiteral("error %1").arg(code); });
    }
    void Get() {
        events.clear();
        socket.Get(url);
        EXPECT_TRUE(events.isEmpty()); // nothing before Get has returned
        ASSERT_TRUE(QTest::qWaitFor([&] { return !socket.IsConnected(); }));
    }

    testing_support::HttpTestServer server;
    const QString url = server.Base() + "/a.xml";
    fw::HTTPSocket socket;
    QStringList events;
};

TEST_F(HTTPSocketTest, OneEventForEveryStatusAnErrorForAnOversizeBodyNoneWhenDropped) {
    for (const int status : {200, 400, 404, 500}) {
        server.Page(status, "caf\xc3\xa9", "X-Test: yes\r\n");
        Get();
        EXPECT_EQ(events, QStringList{QStringLiteral("%1 %2 yes café").arg(url).arg(status)});
    }
    // A declared length past the cap fails before the body is read.
    server.reply = "HTTP/1.0 200 OK\r\nContent-Length: 99999999\r\n\r\nxyz";
    Get();
    EXPECT_EQ(events, QStringList{QStringLiteral("error %1").arg(QNetworkReply::UnknownContentError)});

    // A dropped request reports nothing.
    events.clear();
    server.Page(200, "late");
    socket.Get(url);
    socket.Disconnect();
    QTest::qWait(200);
    EXPECT_TRUE(events.isEmpty());
}

} // namespace
