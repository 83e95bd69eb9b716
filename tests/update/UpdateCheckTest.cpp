// The update check against a server of the test's own on 127.0.0.1.
#include "app/App.h"
#include "support/TestSupport.h"
#include "update/HttpTestServer.h"
#include "update/updateWindow.h"

#include <QTest>

using testing_support::HttpTestServer;
using testing_support::WaitFor;

namespace {

const QString kCurrent = QStringLiteral("You are using the current version. No update is available.");

QByteArray Document(const QByteArray& version, const QByteArray& free = "Yes",
                    const QByteArray& description = "",
                    const QByteArray& url = "http://www.zandolin.example/zandolin.tar.gz") {
    return "<?xml version=\"1.0\"?>\n<Zandolin>\n<CurrentVersion>" + version +
           "</CurrentVersion>\n<Description>" + description + "</Description>\n<Free>" + free +
           "</Free>\n<DownloadURLOSX>" + url + "</DownloadURLOSX>\n</Zandolin>\n";
}

// Records what the update window's label read whenever a message box showed.
class PeekingServices : public testing_support::RecordingServices {
public:
    QStringList labels;
    void ShowMessage(const QString& text, const QString& title) override {
        if (auto* window = fw::OpenInstance<updateWindow>())
            labels << window->StaticText1().Text();
        RecordingServices::ShowMessage(text, title);
    }
};

class UpdateCheckTest : public testing_support::AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        auto peeking = std::make_unique<PeekingServices>();
        peek = peeking.get();
        services = peek;
        fw::SetServices(std::move(peeking));
        app.Register();
        updateWindow::SetWebSite(server.Base());
    }
    void TearDown() override {
        updateWindow::SetWebSite(QString());
        AppTest::TearDown();
    }

    // Opens an update window and waits until it has closed or put up the upgrade offer.
    void RunCheck() {
        updateWindow::instance();
        ASSERT_TRUE(WaitFor([&] { return !fw::OpenInstance<updateWindow>() || !services->dialogs.empty(); }));
    }
    void Serve(const QByteArray& body) { server.Page(200, body); }

    App app;
    HttpTestServer server;
    PeekingServices* peek = nullptr;
};

TEST_F(UpdateCheckTest, SameVersionSaysCurrentAndCloses) {
    for (const QByteArray version : {"1.4.2", "01.04.02", "1.4.2.7"}) {
        SCOPED_TRACE(version.constData());
        services->messages.clear();
        peek->labels.clear();
        Serve(Document(version));
        RunCheck();
        EXPECT_EQ(services->messages, QStringList{kCurrent});
        EXPECT_EQ(peek->labels, QStringList{QStringLiteral("This version is current.")});
        EXPECT_TRUE(services->dialogs.empty());
        EXPECT_EQ(fw::OpenInstance<updateWindow>(), nullptr);
    }
    const QByteArray request = server.requests.value(0);
    EXPECT_TRUE(request.startsWith("GET /Updates/zandolin.xml HTTP/1.")) << request.constData();
    EXPECT_TRUE(request.contains("\r\nAccept: */*\r\n")) << request.constData();
    EXPECT_TRUE(request.contains("\r\nAccept-Language: en\r\n")) << request.constData();

    // A missing field reads as 0, and the comparison is not an ordering.
    EXPECT_TRUE(updateWindow::SameVersion("1.4", 1, 4, 0));
    EXPECT_FALSE(updateWindow::SameVersion("1.4", 1, 4, 2));
    EXPECT_FALSE(updateWindow::SameVersion("1.4.1", 1, 4, 2));
    EXPECT_FALSE(updateWindow::SameVersion("", 1, 4, 2));
}

TEST_F(UpdateCheckTest, OtherVersionsGetTheOfferWithTheirWording) {
    const QString head = QStringLiteral("Version %1 is now available. (You are using version 1.4.2.) ");
    const QString free = QStringLiteral("This is a free upgrade. Would you like to automatically download "
                                        "this update (using your web browser)?");
    const QString paid =
        QStringLiteral("This is a paid upgrade. Would you like to automatically download the trial "
                       "version (using your web browser)?");
    struct Case {
        QByteArray version, free;
        QString expected;
    };
    const Case cases[] = {
        {"1.4.1", "Yes", head.arg("1.4.1") + free}, {"2.0", "No", head.arg("2.0") + paid},
        {"1.4", "True", head.arg("1.4") + paid},    {"1.5", "", head.arg("1.5") + paid},
        {"1.5", "yes", head.arg("1.5") + paid},     {" 1.5\n", "Yes", head.arg(" 1.5\n") + free}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version.constData());
        services->dialogs.clear();
        Serve(Document(c.version, c.free, "Fixes &amp; more\nSecond line\r\n"));
        RunCheck();
        ASSERT_EQ(services->dialogs.size(), 1u);
        const auto& d = services->dialogs[0];
        EXPECT_EQ(d.title, QStringLiteral("New version available!"));
        EXPECT_EQ(d.message, c.expected);
        EXPECT_EQ(d.explanation, QStringLiteral("Fixes &amp; more\nSecond line\r\n"));
        EXPECT_EQ(d.icon, 3);
        EXPECT_EQ(d.alternateCaption, QStringLiteral("Go to Website"));
        EXPECT_TRUE(services->messages.isEmpty());
    }
    // No Free element at all gives the paid wording too.
    services->dialogs.clear();
    Serve("<CurrentVersion>1.5</CurrentVersion>");
    RunCheck();
    ASSERT_EQ(services->dialogs.size(), 1u);
    EXPECT_EQ(services->dialogs[0].message, head.arg("1.5") + paid);
    EXPECT_EQ(services->dialogs[0].explanation, QString());
}

TEST_F(UpdateCheckTest, ElementTextIsTheFirstOccurrenceAndOddDocumentsDoNoHarm) {
    // The first CurrentVersion counts.
    Serve("<CurrentVersion>1.4.2</CurrentVersion><CurrentVersion>9.9</CurrentVersion>");
    RunCheck();
    EXPECT_EQ(services->messages, QStringList{kCurrent});

    auto& window = updateWindow::instance();
    EXPECT_EQ(window.returnValue("<A>one</A><A>two</A>", "A"), QStringLiteral("one"));
    EXPECT_EQ(window.returnValue("<A x=\"1\">one</A>", "A"), QStringLiteral(" x=\"1\">one"));
    EXPECT_EQ(window.returnValue("<A>no end", "A"), QString());
    EXPECT_EQ(window.returnValue("", "A"), QString());
    window.Close();
    ProcessEvents();

    // A page without any of the elements, 404 or not, is read as a document and gets the offer.
    for (const int status : {200, 404}) {
        services->dialogs.clear();
        server.Page(status, "<html><body><h1>Not Found</h1></body></html>");
        RunCheck();
        ASSERT_EQ(services->dialogs.size(), 1u) << status;
        EXPECT_TRUE(services->dialogs[0].message.startsWith("Version  is now available."));
    }
}

TEST_F(UpdateCheckTest, EmptyBodyClosesSilentlyAndRedirectIsThePage) {
    Serve("");
    RunCheck();
    EXPECT_TRUE(services->messages.isEmpty());
    EXPECT_TRUE(services->dialogs.empty());
    EXPECT_EQ(services->beeps, 0);

    // The redirect's own body is the document; the new location is never asked for.
    server.requests.clear();
    server.Page(301, Document("1.4.2"), "Location: /elsewhere.xml\r\n");
    RunCheck();
    EXPECT_EQ(services->messages, QStringList{kCurrent});
    EXPECT_EQ(server.requests.size(), 1);
}

TEST_F(UpdateCheckTest, TransportFailuresBeepAndShowTheCode) {
    const QString message = QStringLiteral(
        "There was a communication error with the website. Please try again later. (Code: %1)");
    updateWindow::SetWebSite(QStringLiteral("http://127.0.0.1:%1").arg(HttpTestServer::RefusedPort()));
    RunCheck();
    EXPECT_EQ(services->beeps, 1);
    EXPECT_EQ(services->messages, QStringList{message.arg(1)}); // connection refused

    // Closed halfway through the promised body.
    updateWindow::SetWebSite(server.Base());
    server.Reply("HTTP/1.0 200 OK\r\nContent-Length: 1000\r\n\r\n<CurrentVersion>2.0</CurrentVersion>");
    RunCheck();
    EXPECT_EQ(services->beeps, 2);
    EXPECT_EQ(services->messages.value(1), message.arg(2)); // remote host closed
    EXPECT_TRUE(services->dialogs.empty());

    // A 10 MB body, without a declared length, is cut off at the cap rather than read on.
    server.Reply("HTTP/1.0 200 OK\r\n\r\n" + QByteArray(10 * 1024 * 1024, 'x'));
    QElapsedTimer clock;
    clock.start();
    RunCheck();
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_EQ(services->messages.value(2), message.arg(299));
    EXPECT_EQ(fw::OpenInstance<updateWindow>(), nullptr);

    // The code is shown as the client gives it, sign and all.
    updateWindow::instance().hp_Error(-3);
    EXPECT_EQ(services->messages.value(3), message.arg(-3));
    EXPECT_EQ(fw::OpenInstance<updateWindow>(), nullptr);
}

TEST_F(UpdateCheckTest, SilentServerKeepsFetchingUntilCancelled) {
    server.Silent();
    for (const auto key : {Qt::Key_Escape, Qt::Key_Return}) {
        auto& window = updateWindow::instance();
        EXPECT_EQ(window.ProgressBar1().Maximum(), 0);
        QTest::qWait(100);
        EXPECT_EQ(fw::OpenInstance<updateWindow>(), &window);
        EXPECT_TRUE(window.hp().IsConnected());
        EXPECT_EQ(window.StaticText1().Text(), QStringLiteral("Checking for updates..."));
        QTest::keyClick(window.Widget(), key);
        EXPECT_EQ(fw::OpenInstance<updateWindow>(), nullptr);
        ProcessEvents();
    }
    EXPECT_EQ(server.requests.size(), 2);
    EXPECT_TRUE(services->messages.isEmpty());
    EXPECT_EQ(services->beeps, 0);
}

TEST_F(UpdateCheckTest, DialogAnswers) {
    Serve(Document("2.0", "Yes", "", "https://www.zandolin.example/get?v=2&os=linux"));
    services->dialogAnswers = {fw::DialogAnswer::Action};
    RunCheck();
    EXPECT_EQ(services->urls, QStringList{"https://www.zandolin.example/get?v=2&os=linux"});
    EXPECT_EQ(fw::OpenInstance<updateWindow>(), nullptr);

    // "Go to Website" opens the site and leaves the window up until Cancel.
    services->urls.clear();
    services->dialogs.clear();
    services->dialogAnswers = {fw::DialogAnswer::Alternate};
    RunCheck();
    EXPECT_EQ(services->urls, QStringList{server.Base()});
    auto* window = fw::OpenInstance<updateWindow>();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->ProgressBar1().Visible());
    EXPECT_EQ(window->StaticText1().Text(), QStringLiteral("Checking for updates..."));
    window->PushButton1().Push();
    EXPECT_EQ(fw::OpenInstance<updateWindow>(), nullptr);
    ProcessEvents();

    services->urls.clear();
    services->dialogs.clear();
    services->dialogAnswers = {fw::DialogAnswer::Cancel};
    RunCheck();
    EXPECT_TRUE(services->urls.isEmpty());
    EXPECT_EQ(fw::OpenInstance<updateWindow>(), nullptr);
    EXPECT_TRUE(services->messages.isEmpty());
}

TEST_F(UpdateCheckTest, DownloadAddressThatIsNoWebAddressIsNeverOpened) {
    for (const QByteArray url :
         {"javascript:alert(1)", "file:///etc/passwd", "", "ftp://www.zandolin.example/z", "http://",
          " http://www.zandolin.example/z"}) {
        SCOPED_TRACE(url.constData());
        services->messages.clear();
        services->dialogs.clear();
        Serve(Document("2.0", "Yes", "", url));
        services->dialogAnswers = {fw::DialogAnswer::Action};
        RunCheck();
        EXPECT_TRUE(services->urls.isEmpty());
        EXPECT_EQ(services->messages, QStringList{"The download address of the new version is not valid."});
        EXPECT_EQ(fw::OpenInstance<updateWindow>(), nullptr);
    }
    EXPECT_EQ(updateWindow::WebSite(), server.Base());
    updateWindow::SetWebSite(QString());
    EXPECT_EQ(updateWindow::DocumentURL(),
              QStringLiteral("http://www.zandolin.example/Updates/zandolin.xml"));
}

} // namespace
