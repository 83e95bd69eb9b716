// The main window's playlist table and song list, filled from canned script replies.
#include "app/Module1.h"
#include "quiz/Window1.h"
#include "support/TestSupport.h"

#include <QTableWidget>

namespace {

const QString kTooFew = QStringLiteral("There are too few songs in this Playlist.  Choose another Playlist.");
const QString kLibrary = QStringLiteral("Pick any row other than the Library!");

class LoadingTest : public testing_support::AppTest {
protected:
    // Selects a row of the playlist table (none for -1) and double-clicks it, as the user does.
    static void DoubleClickPlaylist(Window1& w, int row) {
        w.Playlists().ListIndex(row);
        emit w.Playlists().Table()->cellDoubleClicked(row, 1);
    }
    // Lets the loader thread end and its report reach the window.
    static void FinishLoader(Window1& w) {
        ASSERT_TRUE(w.Thread1().Wait(30000));
        ProcessEvents();
    }
    static QStringList Rows(const fw::Listbox& list, int column = 0) {
        QStringList rows;
        for (int r = 0; r < list.ListCount(); ++r)
            rows << list.Cell(r, column);
        return rows;
    }
};

TEST_F(LoadingTest, PlaylistTableIsFilledWhenTheWindowOpens) {
    UseStubScripts({{172, QStringLiteral("printf 'Library,Rock,Jazz,'")}});
    Window1& w = Window1::instance();
    EXPECT_EQ(Rows(w.Playlists(), 0), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(Rows(w.Playlists(), 1), (QStringList{" Library", "Rock", "Jazz"}));
    const auto* table = w.Playlists().Table();
    EXPECT_EQ(table->item(1, 0)->textAlignment(), int(Qt::AlignCenter));
    EXPECT_TRUE(table->item(1, 1)->textAlignment() & Qt::AlignLeft);
    // 174 runs once the table is filled, and the reset after it still happens.
    EXPECT_EQ(ScriptLog(), (QStringList{"173", "172", "174"}));
    EXPECT_EQ(w.QuestionNo().Text(), QStringLiteral("0"));
    EXPECT_TRUE(services->messages.isEmpty());
    EXPECT_TRUE(Module1::L.isEmpty()); // the whole reply was read
}

TEST_F(LoadingTest, PlaylistTableHoldsAtMostAHundredNames) {
    UseStubScripts({{172, QStringLiteral("for i in $(seq 1 150); do printf 'P%s,' $i; done")}});
    Window1& w = Window1::instance();
    ASSERT_EQ(w.Playlists().ListCount(), 100);
    EXPECT_EQ(w.Playlists().Cell(99, 0), QStringLiteral("100"));
    EXPECT_EQ(w.Playlists().Cell(99, 1), QStringLiteral("P100"));
    EXPECT_EQ(ScriptLog().last(), QStringLiteral("174"));
    EXPECT_TRUE(Module1::L.startsWith(QStringLiteral("P101,"))); // what was left unread
}

TEST_F(LoadingTest, DoubleClickLoadsTheSongsAndTheirCount) {
    UseStubScripts(
        {{172, QStringLiteral("printf 'Library,Short,Long'")},
         {168, QStringLiteral("if [ \"$1\" = 3 ]; then for i in $(seq 1 11); do printf 'T%s##%%#,' $i; "
                              "done; printf 'Last##%%#'; else printf 'x##%%#,y##%%#,z##%%#'; fi")}});
    Window1& w = Window1::instance();

    DoubleClickPlaylist(w, 1);
    EXPECT_EQ(Module1::Z, 2);
    EXPECT_EQ(Rows(w.iTunes()), (QStringList{" x", "y", "z"}));
    EXPECT_EQ(w.NoSongs().Text(), QStringLiteral("3"));
    EXPECT_EQ(services->messages, QStringList{kTooFew});
    EXPECT_TRUE(w.Busy().Visible()); // until the loader thread has reported back
    FinishLoader(w);
    EXPECT_FALSE(w.Busy().Visible());
    // The main thread and the loader thread each ran 168 with the playlist number.
    EXPECT_EQ(ScriptLog().count(QStringLiteral("168 2")), 2);

    // The next playlist replaces the list; twelve songs are enough.
    DoubleClickPlaylist(w, 2);
    EXPECT_EQ(Module1::Z, 3);
    ASSERT_EQ(w.iTunes().ListCount(), 12);
    EXPECT_EQ(w.iTunes().Cell(0, 0), QStringLiteral(" T1"));
    EXPECT_EQ(w.iTunes().Cell(11, 0), QStringLiteral("Last"));
    EXPECT_EQ(w.NoSongs().Text(), QStringLiteral("12"));
    EXPECT_EQ(services->messages.size(), 1);
    FinishLoader(w);
    EXPECT_FALSE(w.Busy().Visible());
}

TEST_F(LoadingTest, LoaderThreadRunsItsScriptAfterTheMainThreads) {
    // Each run of 168 is logged when it starts and notes its end: the loader's run must not share the
    // player with the one whose reply the song list waits for.
    UseStubScripts({{172, QStringLiteral("printf 'Library,Mine'")},
                    {168, QStringLiteral("sleep 0.2; echo '168 end' >> \"$(dirname \"$0\")/runs.log\"")}});
    Window1& w = Window1::instance();
    DoubleClickPlaylist(w, 1);
    FinishLoader(w);
    QStringList runs = ScriptLog();
    runs.removeIf([](const QString& line) { return !line.startsWith(QStringLiteral("168")); });
    EXPECT_EQ(runs, (QStringList{"168 2", "168 end", "168 2", "168 end"}));
    EXPECT_FALSE(w.Busy().Visible());
}

TEST_F(LoadingTest, LibraryRowIsRefusedAndChangesNothing) {
    UseStubScripts({{172, QStringLiteral("printf 'Library,Mine'")},
                    {168, QStringLiteral("[ \"$1\" = 0 ] || printf 'x##%%#,y##%%#,z##%%#'")}});
    Window1& w = Window1::instance();
    DoubleClickPlaylist(w, 1);
    FinishLoader(w);
    services->messages.clear();
    const QStringList before = ScriptLog();

    DoubleClickPlaylist(w, 0);
    EXPECT_EQ(services->messages, QStringList{kLibrary});
    EXPECT_EQ(Module1::Z, 2); // still the playlist whose songs are listed
    EXPECT_EQ(Rows(w.iTunes()), (QStringList{" x", "y", "z"}));
    EXPECT_EQ(w.NoSongs().Text(), QStringLiteral("3"));
    EXPECT_FALSE(w.Busy().Visible());
    FinishLoader(w);
    EXPECT_EQ(ScriptLog(), before); // no script ran

    // No row selected: playlist number 0 is asked for, and its empty reply makes an empty list.
    DoubleClickPlaylist(w, -1);
    EXPECT_EQ(Module1::Z, 0);
    EXPECT_EQ(w.iTunes().ListCount(), 0);
    EXPECT_EQ(w.NoSongs().Text(), QStringLiteral("0"));
    EXPECT_EQ(services->messages.last(), kTooFew);
    FinishLoader(w);
}

TEST_F(LoadingTest, DisclosureTriangleFoldsThePlaylistAreaAndBack) {
    UseStubScripts({});
    Window1& w = Window1::instance();
    ASSERT_EQ(w.Height(), 432);
    w.DisclosureTriangle1_Action();
    EXPECT_EQ(w.Height(), 297);
    EXPECT_EQ(w.Disclosure().Text(), QStringLiteral("Show Playlists and Song Titles"));
    w.DisclosureTriangle1_Action();
    EXPECT_EQ(w.Height(), 432);
    EXPECT_EQ(w.Disclosure().Text(), QStringLiteral("Hide Playlists and Song Titles"));
}

} // namespace
