// The playlist table and the song lists against a real MPD that the tests start themselves, driven by the
// bundled player scripts.
#include "app/Startup.h"
#include "quiz/Module1.h"
#include "quiz/ScriptItems.h"
#include "quiz/Window1.h"
#include "support/PrivateMpd.h"
#include "support/TestSupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QScopeGuard>
#include <QTcpServer>
#include <csignal>
#include <memory>

namespace {

using testing_support::PrivateMpd;
using testing_support::Shown;

const QString kTooFew = "There are too few songs in this Playlist.  Choose another Playlist.";

void DoubleClickPlaylist(Window1& w, int row) {
    w.Playlists->ListIndex(row);
    emit w.Playlists->cellDoubleClicked(row, 1);
}

QStringList Rows(const fw::Listbox& list, int column = 0) {
    QStringList rows;
    for (int r = 0; r < list.ListCount(); ++r)
        rows << list.Cell(r, column);
    return rows;
}

// Points the player scripts at a local port that nothing listens on, for as long as it lives.
class NoMpdAnswers {
public:
    NoMpdAnswers() {
        QTcpServer probe;
        EXPECT_TRUE(probe.listen(QHostAddress::LocalHost));
        qputenv("MPD_HOST", "127.0.0.1");
        qputenv("MPD_PORT", QByteArray::number(probe.serverPort()));
    }
    ~NoMpdAnswers() {
        for (const auto& [name, value] : {std::pair{"MPD_HOST", host_}, {"MPD_PORT", port_}})
            value.isNull() ? qunsetenv(name) : qputenv(name, value);
    }

private:
    const QByteArray host_ = qgetenv("MPD_HOST"), port_ = qgetenv("MPD_PORT");
};

// One MPD for the suite: the demo library and "Big", 10,000 untagged songs (a few seconds to make).
class MpdTest : public testing_support::AppTest {
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
    void TearDown() override {
        if (auto* w = fw::OpenInstance<Window1>())
            w->Thread1.wait(30000);
        AppTest::TearDown();
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
    EXPECT_EQ(Rows(*w.Playlists, 0), (QStringList{"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(Rows(*w.Playlists, 1),
              (QStringList{" Library", "Big", "Classics", "Everything Odd", "Mixed Bag", "Short Set"}));

    for (const auto& [row, count] : {std::pair{2, 12}, {5, 9}, {1, 10000}}) {
        const QString playlist = w.Playlists->Cell(row, 1);
        DoubleClickPlaylist(w, row);
        EXPECT_EQ(Module1::Z, row + 1);
        EXPECT_EQ(Rows(*w.iTunes), SongRows(playlist));
        EXPECT_EQ(w.NoSongs->text(), QString::number(count));
        EXPECT_EQ(services->messages, count < 10 ? QStringList{kTooFew} : QStringList{}) << count;
        EXPECT_TRUE(Shown(w.Busy)); // until the loader thread has reported back
        FinishLoader(w);
        EXPECT_FALSE(Shown(w.Busy));
        services->messages.clear();
    }

    // 169 plays the last of the 10,000 songs, 170 stops it.
    AppleScript2({Module1::Z, 10000});
    EXPECT_EQ(mpd_->CurrentFile(), "big/100/s10000.wav");
    EXPECT_TRUE(mpd_->IsPlaying());
    AppleScript3({});
    EXPECT_FALSE(mpd_->IsPlaying());

    // The library row is refused; the songs and their playlist number stay.
    DoubleClickPlaylist(w, 0);
    EXPECT_EQ(services->messages, QStringList{"Pick any row other than the Library!"});
    EXPECT_EQ(Module1::Z, 2);
    EXPECT_EQ(w.iTunes->ListCount(), 10000);
    EXPECT_FALSE(Shown(w.Busy));

    // No row selected: playlist 0, which has no songs.
    DoubleClickPlaylist(w, -1);
    FinishLoader(w);
    EXPECT_EQ(w.NoSongs->text(), "0");
    EXPECT_EQ(services->messages, (QStringList{"Pick any row other than the Library!", kTooFew}));
}

// Another client adds a playlist that sorts first and then reverses the one on show: the rows still mean and
// play what the window shows.
TEST_F(MpdTest, RowsPlayTheirSongsWhateverChangesInMpd) {
    Window1& w = Window1::instance();
    const QStringList classics = mpd_->Mpc({"-f", "%file%", "playlist", "Classics"}).split('\n');
    const QStringList shown = SongRows("Classics");
    ASSERT_TRUE(mpd_->AddPlaylist("Aardvark", {classics.first()}));
    DoubleClickPlaylist(w, 2);
    FinishLoader(w);
    EXPECT_EQ(Rows(*w.iTunes), shown);

    EXPECT_TRUE(mpd_->AddPlaylist("Classics", QStringList(classics.rbegin(), classics.rend())));
    for (const int row : {0, 5, 11}) {
        AppleScript2({Module1::Z, row + 1});
        EXPECT_EQ(mpd_->CurrentFile(), classics[row]) << row;
    }
    EXPECT_TRUE(mpd_->AddPlaylist("Classics", classics));
    EXPECT_TRUE(QFile::remove(mpd_->PlaylistDir() + "/Aardvark.m3u"));
}

TEST_F(MpdTest, MpdDownGivesItsMessageAndEmptyLists) {
    Window1& w = Window1::instance();
    NoMpdAnswers down;
    const QString downAt =
        "MPD does not answer at 127.0.0.1 port " + qgetenv("MPD_PORT") + ": start MPD or set MPD_HOST, then ";
    const QStringList refused{downAt + "double-click the playlist again."};
    // One box: the loader thread's run fails the same way and adds none, nor does the too-few check.
    DoubleClickPlaylist(w, 2);
    FinishLoader(w);
    EXPECT_EQ(services->messages, refused);
    EXPECT_EQ(w.iTunes->ListCount(), 0);
    EXPECT_FALSE(Shown(w.Busy));

    services->messages.clear();
    w.Playlists->DeleteAllRows();
    w.GetiTunePlaylists(); // as the window opens
    EXPECT_EQ(services->messages, QStringList{downAt + "start Zandolin again."});
    EXPECT_EQ(w.Playlists->ListCount(), 0);
}

TEST_F(MpdTest, AnMpdThatNeverAnswersGivesTheWindowAndOneMessageInTime) {
    const QByteArray usersWait = qgetenv("MPD_TIMEOUT");
    qunsetenv("MPD_TIMEOUT");
    ASSERT_TRUE(mpd_->Signal(SIGSTOP));
    const auto resume = qScopeGuard([&usersWait] {
        mpd_->Signal(SIGCONT);
        if (!usersWait.isNull())
            qputenv("MPD_TIMEOUT", usersWait);
    });
    QElapsedTimer clock;
    clock.start();
    Startup::Begin();
    EXPECT_LT(clock.elapsed(), 10000);
    ProcessEvents();
    EXPECT_TRUE(Window1::instance().isVisible());
    ASSERT_EQ(services->messages.size(), 1) << services->messages.join('|').toStdString();
    EXPECT_TRUE(services->messages[0].startsWith("MPD does not answer"))
        << services->messages[0].toStdString();
    mpd_->Signal(SIGCONT);
    Startup::End();
}

} // namespace
