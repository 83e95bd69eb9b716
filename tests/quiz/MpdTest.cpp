// The playlist table and the song lists against a real MPD that the tests start themselves, driven by the
// bundled player scripts.
#include "quiz/Module1.h"
#include "quiz/Window1.h"
#include "support/PrivateMpd.h"
#include "support/TestSupport.h"

#include <QScopeGuard>
#include <memory>

namespace {

using namespace testing_support;

const QString kTooFew = "There are too few songs in this Playlist.  Choose another Playlist.";

void DoubleClickPlaylist(Window1& w, int row) {
    w.Playlists->ListIndex(row);
    emit w.Playlists->cellDoubleClicked(row, 1);
}

// The rows of the list, their columns joined by "|".
QStringList Rows(const fw::Listbox& list) {
    QStringList rows;
    for (int r = 0; r < list.ListCount(); ++r)
        rows << (list.columnCount() == 1 ? list.Cell(r, 0) : list.Cell(r, 0) + "|" + list.Cell(r, 1));
    return rows;
}

// One MPD for the suite: the demo library and "Big", 10,000 untagged songs (a few seconds to make).
class MpdTest : public AppTest {
protected:
    static void SetUpTestSuite() {
        mpd_ = std::make_unique<PrivateMpd>();
        if (mpd_->Start())
            bigMade_ = mpd_->AddUntaggedPlaylist("Big", "big", 10000).size() == 10000;
    }
    static void TearDownTestSuite() { mpd_.reset(); }
    void SetUp() override {
        AppTest::SetUp();
        ASSERT_TRUE(bigMade_) << mpd_->Error().toStdString();
    }
    static void FinishLoader(Window1& w) {
        ASSERT_TRUE(w.Thread1.wait(30000));
        ProcessEvents();
    }
    // A stored playlist's titles (an untagged song's is its file name), the first after a blank.
    static QStringList SongRows(const QString& playlist) {
        QStringList rows = mpd_->Mpc({"-f", "[%title%]|%file%", "playlist", playlist}).split('\n');
        for (QString& row : rows)
            row = row.section('/', -1);
        rows.first().prepend(' ');
        return rows;
    }

    static inline std::unique_ptr<PrivateMpd> mpd_;
    static inline bool bigMade_ = false;
};

TEST_F(MpdTest, PlaylistTableAndSongListsComeFromMpd) {
    Window1& w = Window1::instance();
    EXPECT_EQ(Rows(*w.Playlists), (QStringList{"1| Library", "2|Big", "3|Classics", "4|Everything Odd",
                                               "5|Mixed Bag", "6|Short Set"}));

    for (const auto& [row, count] : {std::pair{2, 12}, {5, 9}, {1, 10000}}) {
        DoubleClickPlaylist(w, row);
        EXPECT_EQ(Module1::Z, row + 1);
        EXPECT_EQ(Rows(*w.iTunes), SongRows(w.Playlists->Cell(row, 1)));
        EXPECT_EQ(w.NoSongs->text(), QString::number(count));
        EXPECT_EQ(services->messages, count < 10 ? QStringList{kTooFew} : QStringList{}) << count;
        // Busy shows until the loader thread has reported back, which a box lets in.
        EXPECT_TRUE(Shown(w.Busy) || count < 10);
        FinishLoader(w);
        EXPECT_FALSE(Shown(w.Busy));
        services->messages.clear();
    }

    // The library row is refused; the songs and their playlist number stay.
    DoubleClickPlaylist(w, 0);
    EXPECT_EQ(services->messages, QStringList{"Pick any row other than the Library!"});
    EXPECT_EQ(Module1::Z, 2);
    EXPECT_EQ(w.iTunes->ListCount(), 10000);
    EXPECT_FALSE(Shown(w.Busy));
}

TEST_F(MpdTest, MpdDownGivesItsMessageAndEmptyLists) {
    Window1& w = Window1::instance();
    const QString gone = mpd_->Dir() + "/gone";
    qputenv("MPD_HOST", gone.toUtf8());
    const auto back = qScopeGuard([] { qputenv("MPD_HOST", mpd_->Socket().toUtf8()); });
    const QString downAt = "MPD does not answer at socket " + gone + ": start MPD or set MPD_HOST, then ";
    // One box: the loader thread's run fails the same way and adds none, nor does the too-few check.
    DoubleClickPlaylist(w, 2);
    FinishLoader(w);
    EXPECT_EQ(services->messages, QStringList{downAt + "double-click the playlist again."});
    EXPECT_EQ(w.iTunes->ListCount(), 0);
    EXPECT_FALSE(Shown(w.Busy));
}

} // namespace
