// The framework's HTTP GET: one event per request, for any status.
#include "framework/HTTPSocket.h"
#include "support/TestSupport.h"
#include "update/HttpTestServer.h"

#include <QTest>

using testing_support::WaitFor;

namespace {

struct Page {
    QString url;
    int status;
    fw::InternetHeaders headers;
    QString body;
};

class HTTPSocketTest : public testing_support::AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        socket.PageReceived = [this](const QString& url, int status, const fw::InternetHeaders& headers,
                                     const QString& body) {
            pages.push_back({url, status, headers, body});
        };
        socket.Error = [this](int code) { errors << code; };
    }
    int Events() const { return int(pages.size() + errors.size()); }

    testing_support::HttpTestServer server;
    fw::HTTPSocket socket;
    std::vector<Page> pages;
    QList<int> errors;
};

TEST_F(HTTPSocketTest, EveryStatusIsAPageAndRedirectsAreNotFollowed) {
    const QString url = server.Base() + "/a.xml";
    for (const int status : {200, 404, 500, 400}) {
        pages.clear();
        server.Page(status, "caf\xc3\xa9 page", "X-Test: yes\r\n");
        socket.Get(url);
        EXPECT_TRUE(socket.IsConnected());
        EXPECT_EQ(Events(), 0); // nothing before Get has returned
        ASSERT_TRUE(WaitFor([&] { return Events() > 0; }));
        QTest::qWait(50);
        ASSERT_EQ(pages.size(), 1u) << status;
        EXPECT_EQ(pages[0].url, url);
        EXPECT_EQ(pages[0].status, status);
        EXPECT_EQ(pages[0].headers.Value("x-test"), QStringLiteral("yes"));
        EXPECT_EQ(pages[0].body, QStringLiteral(u"café page"));
        EXPECT_FALSE(socket.IsConnected());
    }
    pages.clear();
    server.requests.clear();
    server.Page(301, "moved", "Location: /b.xml\r\n");
    socket.Get(url);
    ASSERT_TRUE(WaitFor([&] { return Events() > 0; }));
    QTest::qWait(50);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].status, 301);
    EXPECT_EQ(pages[0].headers.Value("Location"), QStringLiteral("/b.xml"));
    EXPECT_EQ(pages[0].body, QStringLiteral("moved"));
    EXPECT_EQ(server.requests.size(), 1);
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(HTTPSocketTest, FailuresAndDisconnect) {
    // A declared length past the cap fails before the body is read.
    server.Reply("HTTP/1.0 200 OK\r\nContent-Length: 99999999\r\n\r\nxyz");
    socket.Get(server.Base());
    ASSERT_TRUE(WaitFor([&] { return Events() > 0; }));
    socket.Get("nonsense://x");
    ASSERT_TRUE(WaitFor([&] { return Events() > 1; }));
    EXPECT_TRUE(pages.empty());
    EXPECT_EQ(errors, (QList<int>{QNetworkReply::UnknownContentError, QNetworkReply::ProtocolUnknownError}));

    // A dropped request reports nothing, even when its reply comes.
    errors.clear();
    server.Page(200, "late");
    socket.Get(server.Base());
    socket.Disconnect();
    EXPECT_FALSE(socket.IsConnected());
    QTest::qWait(200);
    EXPECT_EQ(Events(), 0);
}

} // namespace
