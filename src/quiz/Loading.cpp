// Filling the playlist table and the song list from the music player, and folding the lists away.
#include "framework/Errors.h"
#include "framework/ScriptRunner.h"
#include "framework/Services.h"
#include "quiz/Module1.h"
#include "quiz/ReplyParser.h"
#include "quiz/ScriptItems.h"
#include "quiz/Window1.h"

#include <QPointer>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace {

constexpr int OpenHeight = 432;
constexpr int FoldedHeight = 297;

// Module1::Z is written here on the main thread and read by the loader thread.
std::int32_t LoadPlaylistNumber() {
    return std::atomic_ref<std::int32_t>(Module1::Z).load();
}
void StorePlaylistNumber(std::int32_t number) {
    std::atomic_ref<std::int32_t>(Module1::Z).store(number);
}

// MPD answers one request at a time, so the two runs of script 168 that a double-click makes would share
// its time and delay the song list. The loader thread lets the main thread's run go first, as the runs
// followed each other when the threads took turns.
class MainRunGate {
public:
    void Close() {
        std::lock_guard lock(mutex_);
        pending_ = true;
    }
    void Open() {
        {
            std::lock_guard lock(mutex_);
            pending_ = false;
        }
        opened_.notify_all();
    }
    // Waits until the main thread's run has ended, at most a script's time limit.
    void WaitUntilOpen() {
        std::unique_lock lock(mutex_);
        opened_.wait_for(lock, std::chrono::milliseconds(fw::ScriptRunner::TimeLimit()),
                         [this] { return !pending_; });
    }

private:
    std::mutex mutex_;
    std::condition_variable opened_;
    bool pending_ = false;
};

MainRunGate mainRun;

// Opens the gate when it goes, however the handler ends.
struct OpenGateAtEnd {
    ~OpenGateAtEnd() { mainRun.Open(); }
};

} // namespace

void Window1::GetiTunePlaylists() {
    QString reply;
    try {
        reply = AppleScript5({});
    } catch (const fw::Error& e) {
        // Without the music player the window still opens, with an empty table and the reason shown.
        fw::MsgBox(e.Message());
    }
    const ReplyParser::Rows names = ReplyParser::PlaylistNames(reply);
    fw::Listbox& table = Playlists();
    for (int i = 0; i < names.rows.size(); ++i) {
        table.AddRow(QString::number(i + 1));
        table.Cell(table.LastIndex(), 1, names.rows[i]);
    }
    if (names.full)
        Refresh(true);
    AppleScript7a({});
}

void Window1::Playlists_Open() {
    Playlists().ColumnAlignment(0, fw::Listbox::AlignCenter);
    Playlists().ColumnAlignment(1, fw::Listbox::AlignLeft);
}

void Window1::Playlists_DoubleClick() {
    const int playlist = Playlists().ListIndex() + 1;
    // The refusal leaves Module1::Z alone: it must keep naming the playlist whose titles fill the song list.
    if (playlist == 1) {
        fw::MsgBox(QStringLiteral("Pick any row other than the Library!"));
        return;
    }
    StorePlaylistNumber(playlist);
    const OpenGateAtEnd openGate;
    mainRun.Close();
    Busy().Visible(true);
    iTunes().DeleteAllRows();
    NoSongs().Text(QString());
    Refresh(true);
    Thread1().Run();
    BuildiTuneTable();
    if (iTunes().ListCount() < 10)
        fw::MsgBox(QStringLiteral("There are too few songs in this Playlist.  Choose another Playlist."));
}

void Window1::BuildiTuneTable() {
    QString reply;
    {
        const OpenGateAtEnd openGate;
        reply = AppleScript1Reply({Module1::Z});
    }
    const ReplyParser::Rows titles = ReplyParser::SongTitles(reply);
    fw::Listbox& list = iTunes();
    for (const QString& title : titles.rows)
        list.AddRow(title);
    NoSongs().Text(QString::number(int(titles.rows.size())));
    Refresh(true);
}

void Window1::Thread1_Run() {
    const std::int32_t playlist = LoadPlaylistNumber();
    // Busy is hidden on the main thread once this run has ended, whether or not the script succeeded; the
    // window outlives the run (it waits for its thread), but maybe not the queued call.
    QPointer<Window1> self(this);
    const auto hideBusy = [self] {
        fw::OnMainThread([self] {
            if (self)
                self->Busy().Visible(false);
        });
    };
    try {
        mainRun.WaitUntilOpen();
        AppleScript1({playlist});
    } catch (const fw::Error&) {
        // The main thread runs the same script for the same double-click and reports its failure; a second
        // box with the same text would tell the user nothing new.
    } catch (...) {
        hideBusy();
        throw;
    }
    hideBusy();
}

void Window1::DisclosureTriangle1_Action() {
    if (Height() == OpenHeight) {
        Height(FoldedHeight);
        Disclosure().Text(QStringLiteral("Show Playlists and Song Titles"));
    } else {
        Height(OpenHeight);
        Disclosure().Text(QStringLiteral("Hide Playlists and Song Titles"));
    }
}
