// Loading the song list with canned script replies, and folding the lists away.
#include "quiz/Window1.h"
#include "support/TestSupport.h"

namespace {

class LoadingTest : public testing_support::AppTest {};

TEST_F(LoadingTest, LoaderThreadRunsItsScriptAfterTheMainThreads) {
    // Each run of 168 is logged when it starts and notes its end: the loader's run must not share the
    // player with the one whose reply the song list waits for.
    UseStubScripts({{172, "printf 'Library,Mine'"},
                    {168, "sleep 0.2; echo '168 end' >> \"$(dirname \"$0\")/runs.log\""}});
    Window1& w = Window1::instance();
    w.Playlists->ListIndex(1);
    emit w.Playlists->cellDoubleClicked(1, 1);
    ASSERT_TRUE(w.Thread1().Wait(30000));
    QStringList runs = ScriptLog();
    runs.removeIf([](const QString& line) { return !line.startsWith("168"); });
    EXPECT_EQ(runs, (QStringList{"168 2", "168 end", "168 2", "168 end"}));
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
