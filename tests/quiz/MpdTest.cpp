// The playlist table, the song list and playing a question's song, against a real MPD that the tests
// start themselves, driven by the bundled player scripts.
#include "app/Module1.h"
#include "quiz/ScriptItems.h"
#include "quiz/Window1.h"
#include "support/PrivateMpd.h"
#include "support/TestSupport.h"

#include <QElapsedTimer>
#include <QTableWidget>
#include <QTcpServer>
#include <memory>

namespace {

using testing_support::PrivateMpd;

const QString kTooFew = QStringLiteral("There are too few songs in this Playlist.  Choose another Playlist.");

void DoubleClickPlaylist(Window1& w, int row) {
    w.Playlists().ListIndex(row);
    emit w.Playlists().Table()->cellDoubleClicked(row, 1);
}

QStringList Rows(const fw::Listbox& list, int column = 0) {
    QStringList rows;
    for (int r = 0; r < list.ListCount(); ++r)
        rows << list.Cell(r, column);
    return rows;
}

// What the song list should show for a stored playlist: its titles in order, the first after a blank.
QStringList ExpectedSongRows(const PrivateMpd& mpd, const QString& playlist) {
    QStringList titles = mpd.Mpc({"-f", "%title%", "playlist", playlist}).split(QLatin1Char('\n'));
    if (!titles.isEmpty())
        titles.first().prepend(QLatin1Char(' '));
    return titles;
}

// Points the player scripts at a local port that nothing listens on, for as long as it lives.
class NoMpdAnswers {
public:
    NoMpdAnswers() : host_(qgetenv("MPD_HOST")), port_(qgetenv("MPD_PORT")) {
        QTcpServer probe;
        const bool listening = probe.listen(QHostAddress::LocalHost);
        EXPECT_TRUE(listening);
        const QByteArray port = QByteArray::number(probe.serverPort());
        probe.close();
        qputenv("MPD_HOST", "127.0.0.1");
        qputenv("MPD_PORT", port);
    }
    ~NoMpdAnswers() {
        Restore("MPD_HOST", host_);
        Restore("MPD_PORT", port_);
    }

private:
    static void Restore(const char* name, const QByteArray& value) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    QByteArray host_, port_;
};

// One MPD with the demo library for the whole suite; it is stopped when the suite ends, failed or not.
class MpdTest : public testing_support::AppTest {
protected:
    static void SetUpTestSuite() {
        mpd_ = std::make_unique<PrivateMpd>();
        mpd_->Start();
    }
    static void TearDownTestSuite() { mpd_.reset(); }
    void SetUp() override {
        AppTest::SetUp();
        ASSERT_TRUE(mpd_->IsRunning()) << mpd_->Error().toStdString();
    }
    void TearDown() override {
        if (auto* w = fw::OpenInstance<Window1>())
            w->Thread1().Wait(30000);
        AppTest::TearDown();
    }
    static void FinishLoader(Window1& w) {
        ASSERT_TRUE(w.Thread1().Wait(30000));
        ProcessEvents();
    }

    static inline std::unique_ptr<PrivateMpd> mpd_;
};

TEST_F(MpdTest, PlaylistTableAndSongListsComeFromMpd) {
    Window1& w = Window1::instance();
    EXPECT_EQ(Rows(w.Playlists(), 0), (QStringList{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(Rows(w.Playlists(), 1),
              (QStringList{" Library", "Classics", "Everything Odd", "Mixed Bag", "Short Set"}));
    EXPECT_TRUE(services->messages.isEmpty());

    // Twelve songs, their titles with non-ASCII letters and a comma as MPD has them.
    DoubleClickPlaylist(w, 1);
    EXPECT_EQ(Module1::Z, 2);
    EXPECT_EQ(Rows(w.iTunes()), ExpectedSongRows(*mpd_, QStringLiteral("Classics")));
    EXPECT_EQ(w.iTunes().ListCount(), 12);
    EXPECT_TRUE(Rows(w.iTunes()).contains(QStringLiteral("Salt, Pepper and Time")));
    EXPECT_EQ(w.NoSongs().Text(), QStringLiteral("12"));
    EXPECT_TRUE(services->messages.isEmpty());
    FinishLoader(w);
    EXPECT_FALSE(w.Busy().Visible());

    // Nine songs: listed, and the too-few message.
    DoubleClickPlaylist(w, 4);
    EXPECT_EQ(Module1::Z, 5);
    EXPECT_EQ(Rows(w.iTunes()), ExpectedSongRows(*mpd_, QStringLiteral("Short Set")));
    EXPECT_EQ(w.NoSongs().Text(), QStringLiteral("9"));
    EXPECT_EQ(services->messages, QStringList{kTooFew});
    FinishLoader(w);

    // The library row is refused; the nine songs and their playlist number stay.
    DoubleClickPlaylist(w, 0);
    EXPECT_EQ(services->messages.last(), QStringLiteral("Pick any row other than the Library!"));
    EXPECT_EQ(Module1::Z, 5);
    EXPECT_EQ(w.iTunes().ListCount(), 9);
    EXPECT_EQ(w.NoSongs().Text(), QStringLiteral("9"));
}

TEST_F(MpdTest, QuestionRowPlaysExactlyThatSongAndStops) {
    Window1& w = Window1::instance();
    DoubleClickPlaylist(w, 3); // Mixed Bag
    FinishLoader(w);
    ASSERT_EQ(w.iTunes().ListCount(), 15);
    const QStringList files = mpd_->Mpc({"-f", "%file%", "playlist", "Mixed Bag"}).split(QLatin1Char('\n'));
    ASSERT_EQ(files.size(), 15);

    for (const int m : {0, 6, 14}) {
        Module1::M = m;
        AppleScript2({Module1::Z, Module1::M + 1});
        EXPECT_TRUE(mpd_->IsPlaying()) << m;
        EXPECT_EQ(mpd_->CurrentFile(), files[m]) << m;
        EXPECT_EQ(mpd_->CurrentTitle(), w.iTunes().Cell(m, 0).mid(m == 0 ? 1 : 0)) << m;
        AppleScript3({});
        EXPECT_FALSE(mpd_->IsPlaying()) << m;
    }
}

TEST_F(MpdTest, MpdGoneGivesItsMessageAndAnEmptyList) {
    Window1& w = Window1::instance();
    ASSERT_EQ(w.Playlists().ListCount(), 5);
    {
        NoMpdAnswers down;
        DoubleClickPlaylist(w, 1);
        FinishLoader(w);
    }
    // One box (the loader thread's run failed the same way and adds none), no too-few message.
    EXPECT_EQ(services->messages, QStringList{QStringLiteral("MPD error: Connection refused")});
    EXPECT_EQ(w.iTunes().ListCount(), 0);
    EXPECT_FALSE(w.Busy().Visible());
    EXPECT_EQ(Module1::Z, 2);

    // Back again: the same double-click loads the songs.
    services->messages.clear();
    DoubleClickPlaylist(w, 1);
    EXPECT_EQ(w.iTunes().ListCount(), 12);
    EXPECT_TRUE(services->messages.isEmpty());
}

// The window opening while no MPD answers.
class MpdDownTest : public testing_support::AppTest {
protected:
    void TearDown() override {
        if (auto* w = fw::OpenInstance<Window1>())
            w->Thread1().Wait(30000);
        AppTest::TearDown();
    }
};

TEST_F(MpdDownTest, WindowOpensWithAMessageAndAnEmptyTable) {
    NoMpdAnswers down;
    Window1& w = Window1::instance();
    EXPECT_EQ(services->messages, QStringList{QStringLiteral("MPD error: Connection refused")});
    EXPECT_EQ(w.Playlists().ListCount(), 0);
    EXPECT_EQ(w.QuestionNo().Text(), QStringLiteral("0")); // the rest of the opening still ran
    EXPECT_TRUE(w.StartTest().Default());

    // A double-click on the empty table asks for playlist 0, which has no songs.
    services->messages.clear();
    DoubleClickPlaylist(w, -1);
    ASSERT_TRUE(w.Thread1().Wait(30000));
    ProcessEvents();
    EXPECT_EQ(w.iTunes().ListCount(), 0);
    EXPECT_EQ(w.NoSongs().Text(), QStringLiteral("0"));
    EXPECT_EQ(services->messages, QStringList{kTooFew});
    EXPECT_FALSE(w.Busy().Visible());
}

// A playlist of 10,000 untagged songs, in an MPD of its own: building it takes several seconds.
class MpdBigPlaylistTest : public MpdTest {
protected:
    static void SetUpTestSuite() {
        MpdTest::SetUpTestSuite();
        if (mpd_->IsRunning())
            files_ = mpd_->AddUntaggedPlaylist(QStringLiteral("Big"), QStringLiteral("big"), 10000);
    }
    static inline QStringList files_;
};

TEST_F(MpdBigPlaylistTest, TenThousandSongsAreListedAndCounted) {
    ASSERT_EQ(files_.size(), 10000) << "the big playlist could not be made";
    Window1& w = Window1::instance();
    ASSERT_EQ(w.Playlists().Cell(1, 1), QStringLiteral("Big"));

    QElapsedTimer clock;
    clock.start();
    DoubleClickPlaylist(w, 1);
    const qint64 ms = clock.elapsed();
    ASSERT_EQ(w.iTunes().ListCount(), 10000);
    EXPECT_EQ(w.NoSongs().Text(), QStringLiteral("10000"));
    EXPECT_EQ(w.iTunes().Cell(0, 0), QStringLiteral(" s00001.wav"));
    EXPECT_EQ(w.iTunes().Cell(4999, 0), QStringLiteral("s05000.wav"));
    // The last title ends the reply: its trailer goes even though the list is at its limit.
    EXPECT_EQ(w.iTunes().Cell(9999, 0), QStringLiteral("s10000.wav"));
    EXPECT_TRUE(services->messages.isEmpty());
    FinishLoader(w);
    EXPECT_FALSE(w.Busy().Visible());
    RecordProperty("double_click_ms", int(ms));

    AppleScript2({Module1::Z, 10000});
    EXPECT_EQ(mpd_->CurrentFile(), QStringLiteral("big/s10000.wav"));
    AppleScript3({});
}

} // namespace
