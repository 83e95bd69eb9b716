// Loading the song list with canned script replies, and folding the lists away.
#include "framework/ScriptRunner.h"
#include "quiz/Window1.h"
#include "support/TestSupport.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScopeGuard>

namespace {

class LoadingTest : public testing_support::AppTest {};

TEST_F(LoadingTest, LoaderThreadTakesTheMainThreadsListingAndHidesBusy) {
    // The loader thread waits for the main thread's listing instead of asking the player a second time;
    // every run on the main thread shows the wait cursor.
    UseStubScripts({{172, "printf 'Library,Mine'"}, {168, "sleep 0.2"}});
    QList<int> cursors;
    fw::ScriptRunner::SetRunObserver([&cursors](int) {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        cursors << (cursor ? cursor->shape() : -1);
    });
    const auto noObserver = qScopeGuard([] { fw::ScriptRunner::SetRunObserver({}); });
    Window1& w = Window1::instance();
    w.Playlists->ListIndex(1);
    emit w.Playlists->cellDoubleClicked(1, 1);
    ASSERT_TRUE(w.Thread1.wait(30000));
    ProcessEvents();
    EXPECT_FALSE(testing_support::Shown(w.Busy));
    EXPECT_EQ(ScriptLog().filter("168"), QStringList{"168 2"});
    EXPECT_EQ(cursors, QList<int>(ScriptLog().size(), Qt::WaitCursor));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(LoadingTest, DisclosureTriangleFoldsThePlaylistAreaAndBack) {
    UseStubScripts({});
    Window1& w = Window1::instance();
    for (const auto& [height, text, arrow] :
         {std::tuple{297, "Show", Qt::RightArrow}, std::tuple{432, "Hide", Qt::DownArrow}}) {
        w.DisclosureTriangle1->click();
        EXPECT_EQ(w.centralWidget()->height(), height);
        EXPECT_EQ(w.Disclosure->text(), QString(text) + " Playlists and Song Titles");
        EXPECT_EQ(w.DisclosureTriangle1->arrowType(), arrow);
    }
}

} // namespace
