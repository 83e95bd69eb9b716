// The version window and its way into the update check.
#include "app/App.h"
#include "support/TestSupport.h"
#include "update/HttpTestServer.h"
#include "update/selfTest.h"
#include "update/updateWindow.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace {

// Counts every showing of a window with the given title.
class ShowCounter : public QObject {
public:
    explicit ShowCounter(QString title) : title_(std::move(title)) { qApp->installEventFilter(this); }
    int shows = 0;

protected:
    bool eventFilter(QObject* target, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(target);
        if (event->type() == QEvent::Show && widget && widget->isWindow() && widget->windowTitle() == title_)
            ++shows;
        return false;
    }

private:
    QString title_;
};

int VisibleWindowsTitled(const QString& title) {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        count += widget->isVisible() && widget->windowTitle() == title;
    return count;
}

class VersionWindowTest : public testing_support::AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        app.Register();
        updateWindow::SetWebSite(server.Base());
    }
    void TearDown() override {
        updateWindow::SetWebSite(QString());
        AppTest::TearDown();
    }

    App app;
    testing_support::HttpTestServer server;
};

TEST_F(VersionWindowTest, ShowsTheLongVersionAndOpensOnce) {
    selfTest& window = selfTest::instance();
    EXPECT_EQ(window.Title(), QStringLiteral("Self Test"));
    EXPECT_EQ(window.StaticText2().Text(), QStringLiteral("1.4.2 Linux"));
    EXPECT_EQ(window.StaticText2().Text(), app.LongVersion());
    EXPECT_EQ(window.DefaultButton(), &window.PushButton1());
    EXPECT_EQ(window.PushButton1().Caption(), QStringLiteral("Check for Updates"));

    // "Check Now" twice.
    selfTest::instance().Show();
    selfTest::instance().Show();
    ProcessEvents();
    EXPECT_EQ(&selfTest::instance(), &window);
    EXPECT_EQ(VisibleWindowsTitled("Self Test"), 1);

    // The close box starts no check.
    window.Close();
    ProcessEvents();
    EXPECT_EQ(fw::OpenInstance<selfTest>(), nullptr);
    EXPECT_EQ(fw::OpenInstance<updateWindow>(), nullptr);
    EXPECT_TRUE(server.requests.isEmpty());
}

TEST_F(VersionWindowTest, ReturnRunsTheCheckAndLeavesNoVersionWindow) {
    server.Page(200, "<CurrentVersion>1.4.2</CurrentVersion>");
    selfTest::instance().Show();
    ProcessEvents();
    QWidget* widget = selfTest::instance().Widget();
    ShowCounter counter(QStringLiteral("Self Test"));
    // Should the check hang, end it rather than the test run.
    QObject guard;
    QTimer::singleShot(5000, &guard, [] {
        if (auto* update = fw::OpenInstance<updateWindow>())
            update->Close();
    });
    QTest::keyClick(widget, Qt::Key_Return); // returns when the modal update window has closed
    ProcessEvents();
    EXPECT_EQ(services->messages, QStringList{"You are using the current version. No update is available."});
    EXPECT_EQ(server.requests.size(), 1);
    EXPECT_EQ(fw::OpenInstance<selfTest>(), nullptr);
    EXPECT_EQ(fw::OpenInstance<updateWindow>(), nullptr);
    EXPECT_EQ(counter.shows, 0);
    EXPECT_EQ(VisibleWindowsTitled("Self Test"), 0);

    // The next "Check Now" opens a new version window.
    selfTest::instance().Show();
    EXPECT_NE(fw::OpenInstance<selfTest>(), nullptr);
}

} // namespace
