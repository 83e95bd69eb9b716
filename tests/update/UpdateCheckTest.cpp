// The version window and the update check, against an HTTP server of the test's own on 127.0.0.1.
#include "app/App.h"
#include "support/TestSupport.h"
#include "update/selfTest.h"
#include "update/updateWindow.h"

#include <QLocale>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <utility>

namespace {

using fw::DialogAnswer;

// Records the head of each request and answers it with the same canned bytes, then closes the
// connection; without a reply it holds the requests until AnswerHeld.
class HttpTestServer : public QTcpServer {
public:
    HttpTestServer() { listen(QHostAddress::LocalHost); }
    QString Base() const { return QStringLiteral("http://127.0.0.1:%1").arg(serverPort()); }
    void AnswerHeld() {
        for (const QPointer<QTcpSocket>& socket : std::exchange(held, {}))
            if (socket && socket->state() == QAbstractSocket::ConnectedState) {
                socket->write(reply);
                socket->disconnectFromHost();
            }
    }

    QByteArray reply;           // sent as it stands
    QList<QByteArray> requests; // request line and headers
    QList<QPointer<QTcpSocket>> held;

protected:
    void incomingConnection(qintptr descriptor) override {
        auto* socket = new QTcpSocket(this);
        socket->setSocketDescriptor(descriptor);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            const QByteArray head = socket->peek(1 << 16); // taken once it is whole
            if (!head.contains("\r\n\r\n"))
                return;
            requests << head.left(head.indexOf("\r\n\r\n"));
            socket->readAll();
            held << socket;
            if (!reply.isEmpty())
                AnswerHeld();
        });
    }
};

QByteArray Reply(int status, const QByteArray& body, const QByteArray& headers = {}) {
    return "HTTP/1.0 " + QByteArray::number(status) +
           " Status\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n" + headers + "\r\n" + body;
}

QByteArray Document(const QByteArray& version, const QByteArray& free = "Yes", const QByteArray& notes = "",
                    const QByteArray& url = "http://www.zandolin.example/zandolin.tar.gz") {
    return "<?xml version=\"1.0\"?>\n<Zandolin>\n<CurrentVersion>" + version +
           "</CurrentVersion>\n<Description>" + notes + "</Description>\n<Free>" + free +
           "</Free>\n<DownloadURLOSX>" + url + "</DownloadURLOSX>\n</Zandolin>\n";
}

const QString kCurrent = QStringLiteral("You are using the current version. No update is available.");

// What a failed check shows: a beep and the code.
const QString kFailed = QStringLiteral(
    "beep|There was a communication error with the website. Please try again later. (Code: %1)");

QString Offer(const char* version, bool free) {
    return QStringLiteral("Version %1 is now available. (You are using version 1.4.2.) This is a %2 upgrade. "
                          "Would you like to automatically download %3 (using your web browser)?")
        .arg(version, free ? "free" : "paid", free ? "this update" : "the trial version");
}

class UpdateCheckTest : public testing_support::AppTest {
protected:
    UpdateCheckTest() { updateWindow::SetWebSite(server.Base()); }
    ~UpdateCheckTest() override { updateWindow::SetWebSite(QString()); }
    // Clears the record, opens an update window and waits until it has closed or made the offer, which
    // is answered with `answer`.
    void Check(DialogAnswer answer = DialogAnswer::Cancel) {
        *services = {};
        services->dialogAnswers = {answer};
        updateWindow::instance();
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return !fw::OpenInstance<updateWindow>() || !services->boxes.empty(); }));
    }
    // What the user was shown: the beep, the messages, and the offers with their notes.
    QString Shown() const {
        QStringList shown = services->messages;
        if (services->beeps)
            shown.prepend(QStringLiteral("beep"));
        for (const auto& box : services->boxes)
            if (box.title == "New version available!")
                shown << box.text + box.explanation;
        return shown.join(QLatin1Char('|'));
    }

    App app;
    HttpTestServer server;
};

TEST_F(UpdateCheckTest, TheReplyDecidesBetweenCurrentOfferAndFailure) {
    const QByteArray notes = "Fixes &amp; more, caf\xc3\xa9\nSecond line\r\n";
    const QByteArray ok = "HTTP/1.0 200 OK\r\n";
    // clang-format off
    const std::pair<QByteArray, QString> cases[] = {
        {Reply(200, Document("1.4.2")),                kCurrent},
        {Reply(200, Document("1.4.2.0")),              kCurrent},
        {Reply(200, Document(" \r\n1.4.2\n ")),        kCurrent},
        {Reply(200, Document("1.4")),                  kCurrent}, // older versions are never offered
        {Reply(200, Document("1.4.2.7")),              Offer("1.4.2.7", true)},
        {Reply(200, Document("\n1.10\n")),             Offer("1.10", true)},
        {Reply(200, Document("2.0", "No")),            Offer("2.0", false)},
        {Reply(200, Document("2.0", "yes")),           Offer("2.0", false)},
        {Reply(200, Document("2.0", "Yes", notes)),    Offer("2.0", true) + QString::fromUtf8(notes)},
        {Reply(200, "<CurrentVersion>1.4.2</CurrentVersion><CurrentVersion>2.0</CurrentVersion>"), kCurrent},
        // A redirect is the page; its new location is never asked for.
        {Reply(301, Document("1.4.2"), "Location: /Updates/moved.xml\r\n"), kCurrent},
        // Pages that are no version document.
        {Reply(200, "<CurrentVersion>2.0"),            kFailed.arg(200)},
        {Reply(200, "2.0</CurrentVersion>"),           kFailed.arg(200)},
        {Reply(200, Document("")),                     kFailed.arg(200)},
        {Reply(200, Document("2.0 beta")),             kFailed.arg(200)},
        {Reply(400, Document("2.0")),                  kFailed.arg(400)},
        {Reply(404, "<html><h1>Not Found</h1></html>"), kFailed.arg(404)},
        {Reply(500, ""),                               kFailed.arg(500)},
        // Replies cut short, or past the size cap whether declared or not.
        {ok + "Content-Length: 1000\r\n\r\n" + Document("2.0"), kFailed.arg(2)},
        {ok + "Content-Length: 99999999\r\n\r\nxyz",   kFailed.arg(299)},
    };
    // clang-format on
    for (const auto& [reply, shown] : cases) {
        SCOPED_TRACE(reply.left(200).constData());
        server.reply = reply;
        Check();
        EXPECT_EQ(Shown(), shown);
        EXPECT_EQ(fw::OpenInstance<updateWindow>(), nullptr); // an offer is cancelled
    }
    EXPECT_EQ(server.requests.size(), std::size(cases));
    for (const char* line :
         {"GET /Updates/zandolin.xml HTTP/1.", "\r\nAccept: */*\r\n", "\r\nAccept-Language: en\r\n"})
        EXPECT_TRUE(server.requests.value(0).contains(line)) << server.requests.value(0).constData();

    updateWindow::SetWebSite(HttpTestServer().Base()); // a server gone: a refused port
    Check();
    EXPECT_EQ(Shown(), kFailed.arg(1));
}

// Anyone on the path of a plain HTTP check can send these. The box runs its own event loop, as a real one
// does; the build without sanitizers also runs this test under valgrind, which sees a use of freed memory
// inside Qt where the sanitizers cannot.
TEST_F(UpdateCheckTest, HostileRepliesShowAsTextOnTheScreenAndAreLetGoSafely) {
    const QByteArray markup =
        "<a href=\"file:///etc/passwd\">notes</a> <b>&amp;</b> <img src=\"/nonexistent\">";
    QByteArray longNotes;
    for (int line = 1; line <= 3000; ++line)
        longNotes += "Line " + QByteArray::number(line) + " of the notes\n";
    for (const QByteArray& notes : {markup, longNotes}) {
        server.reply = Reply(200, Document("2.0", "Yes", notes));
        Check(DialogAnswer::Cancel);
        ASSERT_EQ(services->boxes.size(), 1u);
        const testing_support::ShownBox& box = services->boxes[0];
        EXPECT_TRUE(box.plain && box.onScreen && services->urls.isEmpty());
        EXPECT_EQ(box.details.isEmpty() ? box.explanation : box.details,
                  QString::fromUtf8(notes)); // all of it
        EXPECT_TRUE(notes == markup || (box.explanation.startsWith("Line 1 of the notes\n") &&
                                        box.explanation.endsWith("Show Details... shows all of it.)")));
    }
    // A long version as well: the details show the offer, a blank line and the notes, up to a bound.
    const QByteArray version = "2" + QByteArray(".0").repeated(1600), notes = longNotes.repeated(2);
    server.reply = Reply(200, Document(version, "Yes", notes));
    Check(DialogAnswer::Cancel);
    const QString offer = Offer(version.constData(), true), all = offer + "\n\n" + QString::fromUtf8(notes);
    const testing_support::ShownBox& box = services->boxes.at(0);
    EXPECT_TRUE(
        box.text.endsWith("shows all of it.)") &&
        box.explanation.endsWith(QLocale(QLocale::English).toString(99998 - offer.size()) + " characters.)"));
    EXPECT_EQ(box.details, all.left(100000) +
                               QString("\n... (%1 more characters are not shown)").arg(all.size() - 100000));

    // A reply past the size cap with no length declared: the error box is up while the reply's end waits.
    server.reply = "HTTP/1.0 200 OK\r\n\r\n" + QByteArray(10 * 1024 * 1024, 'x');
    Check();
    EXPECT_EQ(Shown(), kFailed.arg(299));
    ProcessEvents();
}

TEST_F(UpdateCheckTest, ASilentServerKeepsTheWindowUntilCancelled) {
    // No reply: the server holds the requests.
    for (const auto key : {Qt::Key_Return, Qt::Key_Escape}) {
        auto& window = updateWindow::instance();
        const qsizetype asked = server.requests.size();
        ASSERT_TRUE(QTest::qWaitFor([&] { return server.requests.size() > asked; }));
        ProcessEvents();
        EXPECT_TRUE(fw::OpenInstance<updateWindow>() == &window && window.hp().IsConnected());
        QTest::keyClick(&window, key);
        EXPECT_EQ(fw::OpenInstance<updateWindow>(), nullptr);
    }
    // A page that comes after Cancel starts nothing, once sent and its connection closed.
    const auto held = server.held;
    server.reply = Reply(200, "<CurrentVersion>9.9</CurrentVersion>");
    server.AnswerHeld();
    ASSERT_TRUE(QTest::qWaitFor([&] { return held.count(nullptr) == held.size(); }));
    ProcessEvents();
    EXPECT_EQ(Shown(), QString());
}

TEST_F(UpdateCheckTest, TheOfferOpensOnlyWebAddresses) {
    const QByteArray download = "https://www.zandolin.example/get?v=2&os=linux";
    server.reply = Reply(200, Document("2.0", "Yes", "", download));
    Check(DialogAnswer::Action);
    ASSERT_EQ(services->boxes.size(), 1u);
    EXPECT_EQ(services->boxes[0].title + '|' + services->boxes[0].buttons.join(','),
              "New version available!|OK*,Cancel,Go to Website");
    EXPECT_EQ(services->urls, QStringList{download});
    EXPECT_EQ(fw::OpenInstance<updateWindow>(), nullptr);

    // "Go to Website" leaves the window up until Cancel.
    Check(DialogAnswer::Alternate);
    EXPECT_EQ(services->urls, QStringList{server.Base()});
    ASSERT_NE(fw::OpenInstance<updateWindow>(), nullptr);
    fw::OpenInstance<updateWindow>()->PushButton1->click();
    EXPECT_EQ(fw::OpenInstance<updateWindow>(), nullptr);

    for (const QByteArray url : {"javascript:alert(1)", "ftp://www.zandolin.example/z", "http://",
                                 " http://www.zandolin.example/z"}) {
        server.reply = Reply(200, Document("2.0", "Yes", "", url));
        Check(DialogAnswer::Action);
        EXPECT_TRUE(services->urls.isEmpty()) << url.constData();
        EXPECT_EQ(services->messages, QStringList{"The download address of the new version is not valid."});
    }
}

TEST_F(UpdateCheckTest, CheckNowOpensOneVersionWindowWhoseReturnRunsTheCheck) {
    server.reply = Reply(200, Document("1.4.2"));
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
