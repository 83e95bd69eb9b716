// Filling the playlist table and the song list from the music player, and folding the lists away.
#include "framework/Errors.h"
#include "framework/Services.h"
#include "quiz/Module1.h"
#include "quiz/ReplyParser.h"
#include "quiz/ScriptItems.h"
#include "quiz/Window1.h"

#include <QFuture>
#include <QMutex>
#include <QPromise>
#include <QScopeGuard>
#include <atomic>
#include <optional>

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

// A double-click lists its playlist for the song list on the main thread, and its loader thread, whose
// end hides Busy, would list it again. MPD answers one request at a time, so that second listing would
// keep Busy up twice as long; the loader thread takes the main thread's reply instead. The main thread
// announces the listing before it starts the loader thread, and the announcement ends with the handler
// however it ends (an unfinished promise is cancelled and finished as it goes), so the wait is never
// longer than the main thread's run.
class ListingHandOver {
public:
    // Main thread: playlist is about to be listed for the song list.
    void Announce(std::int32_t playlist) {
        promise_.emplace();
        promise_->start();
        QMutexLocker lock(&mutex_);
        announced_ = Announced{playlist, promise_->future()};
    }
    // Main thread: the reply of script 168 for playlist, handed on to the loader thread when announced.
    QString List(std::int32_t playlist) {
        const QString reply = AppleScript1Reply({playlist});
        if (promise_ && AnnouncedFor(playlist)) {
            promise_->addResult(reply);
            promise_->finish();
        }
        return reply;
    }
    // Main thread: the handler that announced a listing has ended.
    void Close() { promise_.reset(); }
    // Loader thread: waits for the main thread's listing of playlist, or lists it itself when none was
    // announced. The reply is not needed here.
    void Await(std::int32_t playlist) {
        std::optional<QFuture<QString>> listing;
        {
            QMutexLocker lock(&mutex_);
            if (announced_ && announced_->playlist == playlist)
                listing = announced_->listing;
        }
        if (listing)
            listing->waitForFinished();
        else
            AppleScript1({playlist});
    }

private:
    struct Announced {
        std::int32_t playlist;
        QFuture<QString> listing;
    };
    bool AnnouncedFor(std::int32_t playlist) {
        QMutexLocker lock(&mutex_);
        return announced_ && announced_->playlist == playlist;
    }

    std::optional<QPromise<QString>> promise_; // main thread only
    QMutex mutex_;
    std::optional<Announced> announced_; // the latest announcement, under mutex_
};

ListingHandOver listings;

} // namespace

void Window1::GetiTunePlaylists() {
    QString reply;
    // Without the music player the window still opens, with an empty table and the reason shown.
    fw::Guard([&reply] { reply = AppleScript5({}); });
    const ReplyParser::Rows names = ReplyParser::PlaylistNames(reply);
    fw::Listbox& table = *Playlists;
    for (int i = 0; i < names.rows.size(); ++i) {
        table.AddRow(QString::number(i + 1));
        table.Cell(table.LastIndex(), 1, names.rows[i]);
    }
    if (names.full)
        repaint();
    AppleScript7a({});
}

void Window1::Playlists_Open() {
    Playlists->ColumnAlignment(0, Qt::AlignHCenter);
    Playlists->ColumnAlignment(1, Qt::AlignLeft);
}

void Window1::Playlists_DoubleClick() {
    const int playlist = Playlists->ListIndex() + 1;
    // The refusal leaves Module1::Z alone: it must keep naming the playlist whose titles fill the song list.
    if (playlist == 1) {
        fw::MsgBox(QStringLiteral("Pick any row other than the Library!"));
        return;
    }
    StorePlaylistNumber(playlist);
    listings.Announce(playlist);
    const auto closeListing = qScopeGuard([] { listings.Close(); });
    Busy->setVisible(true);
    iTunes->DeleteAllRows();
    // They were rows of the list just removed.
    unplayable_.clear();
    failedSince_.clear();
    playedRow_ = -1;
    NoSongs->setText(QString());
    repaint();
    Thread1.Run();
    BuildiTuneTable();
    if (iTunes->ListCount() < 10)
        fw::MsgBox(QStringLiteral("There are too few songs in this Playlist.  Choose another Playlist."));
}

void Window1::BuildiTuneTable() {
    const ReplyParser::Rows titles = ReplyParser::SongTitles(listings.List(Module1::Z));
    fw::Listbox& list = *iTunes;
    for (const QString& title : titles.rows)
        list.AddRow(title);
    NoSongs->setText(QString::number(int(titles.rows.size())));
    repaint();
}

void Window1::Thread1_Run() {
    const std::int32_t playlist = LoadPlaylistNumber();
    // Busy is hidden on the main thread once this run has ended, however it ended. The window outlives the
    // run (it waits for its thread); a call still queued when the window goes goes with it.
    const auto hideBusy = qScopeGuard([this] {
        QMetaObject::invokeMethod(
            this, [this] { Busy->setVisible(false); }, Qt::QueuedConnection);
    });
    listings.Await(playlist);
}

void Window1::DisclosureTriangle1_Action() {
    QWidget* content = centralWidget();
    if (content->height() == OpenHeight) {
        content->setFixedHeight(FoldedHeight);
        Disclosure->setText(QStringLiteral("Show Playlists and Song Titles"));
    } else {
        content->setFixedHeight(OpenHeight);
        Disclosure->setText(QStringLiteral("Hide Playlists and Song Titles"));
    }
}
