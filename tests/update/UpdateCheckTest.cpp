// The version window and the update check, against a server of the test's own on 127.0.0.1.
#include "app/App.h"
#include "support/TestSupport.h"
#include "update/HttpTestServer.h"
#include "update/selfTest.h"
#include "update/updateWindow.h"

#include <QTest>
#include <QTimer>

namespace {

using fw::DialogAnswer;

const QString kCurrent = QStringLiteral("You are using the current version. No update is available.");
const QString kFailed =
    QStringLiteral("There was a communication error with the website. Please try again later. (Code: %1)");

QByteArray Document(const QByteArray& version, const QByteArray& free = "Yes",
                    const QByteArray& description = "",
                    const QByteArray& url = "http://www.zandolin.example/zandolin.tar.gz") {
    return "<?xml version=\"1.0\"?>\n<Zandolin>\n<CurrentVersion>" + version +
           "</CurrentVersion>\n<Description>" + description + "</Description>\n<Free>" + free +
           "</Free>\n<DownloadURLOSX>" + url + "</DownloadURLOSX>\n</Zandolin>\n";
}

class UpdateCheckTest : public testing_support::AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        updateWindow::SetWebSite(server.Base());
    }
    void TearDown() override {
        updateWindow::SetWebSite(QString());
        AppTest::TearDown();
    }

    // Clears the record, opens an update window and waits until it has closed or made the offer, which
    // is answered with `answer`.
    void Check(DialogAnswer answer = DialogAnswer::Cancel) {
        *services = {};
        services->dialogAnswers = {answer};
        updateWindow::instance();
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return !fw::OpenInstance<updateWindow>() || !services->dialogs.empty(); }));
    }

    App app;
    testing_support::HttpTestServer server;
};

TEST_F(UpdateCheckTest, TheDocumentDecidesBetweenCurrentOfferAndFailure) {
    const QString v = QStringLiteral("Version %1 is now available. (You are using version 1.4.2.) ");
    const QString free = QStringLiteral("This is a free upgrade. Would you like to automatically download "
                                        "this update (using your web browser)?");
    const QString paid = QStringLiteral("This is a paid upgrade. Would you like to automatically download "
                                        "the trial version (using your web browser)?");
    const QByteArray notes = "Fixes &amp; more\nSecond line\r\n";
    struct Case {
        QByteArray body;
        QString offer;   // none: the version is current, or the check failed
        int failure = 0; // the code of the communication error
        int status = 200;
        QString explanation = {};
    };
    // clang-format off
    const Case cases[] = {
        {Document("1.4.2"),                 {}},
        {Document("01.04.02"),              {}},
        {Document("1.4.2.0"),               {}},
        {Document(" \r\n1.4.2\n "),         {}},
        {Document("1.4"),                   {}}, // older versions are never offered
        {Document("1.4.1"),                 {}},
        {Document("0.9.9"),                 {}},
        {Document("1.4.2.7"),               v.arg("1.4.2.7") + free},
        {Document("\n1.10\n"),              v.arg("1.10") + free},
        {Document("2.0", "No"),             v.arg("2.0") + paid},
        {Document("2.0", "yes"),            v.arg("2.0") + paid},
        {Document("2.0", ""),               v.arg("2.0") + paid},
        {Document("2.0", "Yes", notes),     v.arg("2.0") + free, 0, 200, notes},
        {"<CurrentVersion>1.4.2</CurrentVersion><CurrentVersion>2.0</CurrentVersion>", {}},
        // Pages that are no version document.
        {"",                                {}, 200},
        {"<CurrentVersion>2.0",             {}, 200},
        {"2.0</CurrentVersion>",            {}, 200},
        {Document(""),                      {}, 200},
        {Document("2.0 beta"),              {}, 200},
        {"<html><h1>Not Found</h1></html>", {}, 404, 404},
        {Document("2.0"),                   {}, 500, 500},
        {"",                                {}, 503, 503},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body.constData());
        server.Page(c.status, c.body);
        Check();
        EXPECT_EQ(fw::OpenInstance<updateWindow>(), nullptr); // an offer is cancelled
        EXPECT_EQ(services->beeps, c.failure ? 1 : 0);
        if (c.failure) {
            EXPECT_EQ(services->messages, QStringList{kFailed.arg(c.failure)});
            EXPECT_TRUE(services->dialogs.empty());
        } else if (c.offer.isEmpty()) {
            EXPECT_EQ(services->messages, QStringList{kCurrent});
            EXPECT_TRUE(services->dialogs.empty());
        } else {
            ASSERT_EQ(services->dialogs.size(), 1u);
            EXPECT_EQ(services->dialogs[0].message, c.offer);
            EXPECT_EQ(services->dialogs[0].explanation, c.explanation);
            EXPECT_TRUE(services->messages.isEmpty() && services->urls.isEmpty());
        }
    }
}

TEST_F(UpdateCheckTest, ARedirectIsThePage) {
    server.Page(301, Document("1.4.2"), "Location: /Updates/moved.xml\r\n");
    Check();
    EXPECT_EQ(services->messages, QStringList{kCurrent});
    EXPECT_EQ(server.requests.size(), 1); // the new location is never asked for
    for (const char* line :
         {"GET /Updates/zandolin.xml HTTP/1.", "\r\nAccept: */*\r\n", "\r\nAccept-Language: en\r\n"})
        EXPECT_TRUE(server.requests.value(0).contains(line)) << server.requests.value(0).constData();
}

TEST_F(UpdateCheckTest, TransportFailuresBeepAndShowTheCode) {
    updateWindow::SetWebSite(testing_support::HttpTestServer().Base()); // a server gone: a refused port
    Check();
    EXPECT_EQ(services->beeps, 1);
    EXPECT_EQ(services->messages, QStringList{kFailed.arg(1)});

    updateWindow::SetWebSite(server.Base());
    server.reply = "HTTP/1.0 200 OK\r\nContent-Length: 1000\r\n\r\n<CurrentVersion>2.0</CurrentVersion>";
    Check();
    EXPECT_EQ(services->messages, QStringList{kFailed.arg(2)}); // closed halfway through the body

    // A 10 MB body without a declared length is cut off at the cap rather than read to the end.
    server.reply = "HTTP/1.0 200 OK\r\n\r\n" + QByteArray(10 * 1024 * 1024, 'x');
    Check();
    EXPECT_EQ(services->messages, QStringList{kFailed.arg(299)});
}

TEST_F(UpdateCheckTest, ASilentServerKeepsTheWindowUntilCancelled) {
    server.silent = true;
    for (const auto key : {Qt::Key_Return, Qt::Key_Escape}) {
        auto& window = updateWindow::instance();
        const qsizetype asked = server.requests.size();
        ASSERT_TRUE(QTest::qWaitFor([&] { return server.requests.size() > asked; }));
        QTest::qWait(50);
        EXPECT_EQ(fw::OpenInstance<updateWindow>(), &window);
        EXPECT_EQ(window.StaticText1->text(), QStringLiteral("Checking for updates..."));
        QTest::keyClick(&window, key);
        EXPECT_EQ(fw::OpenInstance<updateWindow>(), nullptr);
    }
    // A page that comes after Cancel starts nothing.
    server.Page(200, "<CurrentVersion>9.9</CurrentVersion>");
    server.AnswerHeld();
    QTest::qWait(200);
    EXPECT_TRUE(services->messages.isEmpty());
    EXPECT_TRUE(services->dialogs.empty());
}

TEST_F(UpdateCheckTest, TheOfferOpensOnlyWebAddresses) {
    const QByteArray download = "https://www.zandolin.example/get?v=2&os=linux";
    server.Page(200, Document("2.0", "Yes", "", download));
    Check(DialogAnswer::Action);
    ASSERT_EQ(services->dialogs.size(), 1u);
    EXPECT_EQ(services->dialogs[0].title, QStringLiteral("New version available!"));
    EXPECT_EQ(services->dialogs[0].alternateCaption, QStringLiteral("Go to Website"));
    EXPECT_EQ(services->urls, QStringList{download});
    EXPECT_EQ(fw::OpenInstance<updateWindow>(), nullptr);

    // "Go to Website" leaves the window up until Cancel.
    Check(DialogAnswer::Alternate);
    EXPECT_EQ(services->urls, QStringList{server.Base()});
    ASSERT_NE(fw::OpenInstance<updateWindow>(), nullptr);
    fw::OpenInstance<updateWindow>()->PushButton1->click();
    EXPECT_EQ(fw::OpenInstance<updateWindow>(), nullptr);

    for (const QByteArray url : {"javascript:alert(1)", "file:///etc/passwd", "ftp://www.zandolin.example/z",
                                 "http://", " http://www.zandolin.example/z"}) {
        server.Page(200, Document("2.0", "Yes", "", url));
        Check(DialogAnswer::Action);
        EXPECT_TRUE(services->urls.isEmpty()) << url.constData();
        EXPECT_EQ(services->messages, QStringList{"The download address of the new version is not valid."});
    }
}

TEST_F(UpdateCheckTest, CheckNowOpensOneVersionWindowWhoseReturnRunsTheCheck) {
    server.Page(200, Document("1.4.2"));
    app.CheckforUpdateCheckNow_Action();
    selfTest* window = fw::OpenInstance<selfTest>();
    app.CheckforUpdateCheckNow_Action();
    ProcessEvents();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(fw::OpenInstance<selfTest>(), window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->StaticText2->text(), QStringLiteral(ZANDOLIN_VERSION " Linux"));

    // Once the update window is open, the version window is gone; should the check hang, it is ended
    // rather than the test run.
    bool versionBesideUpdate = true;
    QTimer::singleShot(0, [&] { versionBesideUpdate = fw::OpenInstance<selfTest>() != nullptr; });
    QObject guard;
    QTimer::singleShot(5000, &guard, [] { fw::DestroyAllWindows(); });
    QTest::keyClick(window, Qt::Key_Return); // returns once the modal update window has closed
    ProcessEvents();
    EXPECT_FALSE(versionBesideUpdate);
    EXPECT_EQ(services->messages, QStringList{kCurrent});
    EXPECT_EQ(fw::OpenInstance<selfTest>(), nullptr);
}

} // namespace
