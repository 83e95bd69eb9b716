// Loading a playlist's song titles: the cursor parse against the literal parse that takes each piece
// from the front of the reply (copying the rest every time), with and without filling the song list;
// and a double-click on a 10,000-song playlist, until the count shows and until Busy is hidden, against the
// bare run of script 168 that it waits for.
#include "BenchSupport.h"
#include "framework/Listbox.h"
#include "framework/ScriptRunner.h"
#include "framework/Services.h"
#include "quiz/Module1.h"
#include "quiz/ReplyParser.h"
#include "quiz/Window1.h"

#include <QCoreApplication>
#include <QTableWidget>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>

namespace {

using bench::DemoMpd;

constexpr int kTitles = DemoMpd::kBigSongs;

QString TitlesReply(int count) {
    QStringList titles;
    for (int i = 1; i <= count; ++i)
        titles << QStringLiteral("Title of song number %1").arg(i);
    return titles.join(QStringLiteral("##%#,")) + QStringLiteral("##%#");
}

// The anchor: the song-title parse exactly as written for a runtime whose strings are consumed from the
// front, one copy of the rest of the reply per title.
QStringList LiteralSongTitles(const QString& reply) {
    QStringList rows;
    QString L = reply;
    const QString sep = QStringLiteral("##%#,");
    int i = 0;
    bool stoppedAtEmpty = false;
    for (i = 0; i <= 9999; ++i) {
        const qsizetype at = L.indexOf(sep);
        const QString t = at >= 0 ? L.left(at) : L;
        QString u = t;
        if (t.isEmpty()) {
            stoppedAtEmpty = true;
            break;
        }
        if (i == 0)
            u = QStringLiteral(" ") + u;
        if (u.size() > 50)
            u = u.left(50) + QStringLiteral("...");
        rows << u;
        L = L.mid(t.size() + 5);
    }
    if (stoppedAtEmpty && i > 0)
        rows.last().chop(4);
    return rows;
}

// The parses agree on every reply but one of exactly 10,000 titles, whose last title the literal parse
// leaves with its trailer; check them just below and above that count.
void CheckSameRows(benchmark::State& state) {
    for (const int count : {kTitles - 1, kTitles + 1}) {
        const QString reply = TitlesReply(count);
        if (LiteralSongTitles(reply) != ReplyParser::SongTitles(reply).rows)
            state.SkipWithError("the two parses disagree");
    }
}

void BM_ParseTitles_Literal(benchmark::State& state) {
    const QString reply = TitlesReply(kTitles);
    CheckSameRows(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(LiteralSongTitles(reply));
    state.SetItemsProcessed(state.iterations() * kTitles);
}
BENCHMARK(BM_ParseTitles_Literal)->Unit(benchmark::kMillisecond);

void BM_ParseTitles_Cursor(benchmark::State& state) {
    const QString reply = TitlesReply(kTitles);
    CheckSameRows(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReplyParser::SongTitles(reply));
    state.SetItemsProcessed(state.iterations() * kTitles);
}
BENCHMARK(BM_ParseTitles_Cursor)->Unit(benchmark::kMillisecond);

// Parsing and listing: the rows go into a song list as the window's does.
template <class Parse> void ParseAndList(benchmark::State& state, Parse parse) {
    const QString reply = TitlesReply(kTitles);
    QWidget parent;
    parent.resize(400, 100);
    fw::Listbox list(&parent);
    parent.show();
    for (auto _ : state) {
        list.DeleteAllRows();
        for (const QString& row : parse(reply))
            list.AddRow(row);
        benchmark::DoNotOptimize(list.ListCount());
    }
    if (list.ListCount() != kTitles)
        state.SkipWithError("wrong row count");
}

void BM_ParseAndListTitles_Literal(benchmark::State& state) {
    ParseAndList(state, LiteralSongTitles);
}
BENCHMARK(BM_ParseAndListTitles_Literal)->Unit(benchmark::kMillisecond);

void BM_ParseAndListTitles_Cursor(benchmark::State& state) {
    ParseAndList(state, [](const QString& reply) { return ReplyParser::SongTitles(reply).rows; });
}
BENCHMARK(BM_ParseAndListTitles_Cursor)->Unit(benchmark::kMillisecond);

// The double-click benchmarks on Big (10,000 songs), each against the bare run of script 168 it waits for.
// Boxes would block a benchmark; none is expected, so any that comes is a failure.
class LoadOfBig {
public:
    explicit LoadOfBig(benchmark::State& state) : state_(state) {
        if (!bench::FixtureReady(state))
            return;
        auto services = std::make_unique<bench::SilentServices>();
        silent_ = services.get();
        previous_ = fw::SetServices(std::move(services));
        window_ = &Window1::instance();
        if (silent_->boxes)
            bench::Fail(state, QStringLiteral("a message box came up: ") + silent_->firstText);
        else if (window_->Playlists->ListCount() <= kRow ||
                 window_->Playlists->Cell(kRow, 1) != QStringLiteral("Big"))
            bench::Fail(state, QStringLiteral("the playlist table does not list Big second"));
    }
    ~LoadOfBig() {
        if (!window_)
            return;
        window_->Thread1.wait();
        fw::DestroyAllWindows();
        QCoreApplication::processEvents();
        fw::SetServices(std::move(previous_));
    }
    bool Ready() const { return window_ && !state_.error_occurred(); }
    Window1& Window() { return *window_; }
    void DoubleClick() {
        window_->Playlists->ListIndex(kRow);
        emit window_->Playlists->cellDoubleClicked(kRow, 1);
    }
    // False (and the benchmark failed, saying why) unless the whole playlist was listed.
    bool CheckListed() {
        if (silent_->boxes)
            bench::Fail(state_, QStringLiteral("a message box came up: ") + silent_->firstText);
        else if (window_->NoSongs->text() != QString::number(kTitles))
            bench::Fail(state_, QStringLiteral("the songs were not listed"));
        return !state_.error_occurred();
    }
    // Lets the loader thread end and its queued call hide Busy.
    void FinishLoad() {
        for (int turns = 0; !window_->Busy->isHidden() && turns < 1000; ++turns) {
            window_->Thread1.wait();
            QCoreApplication::processEvents();
        }
    }

private:
    static constexpr int kRow = DemoMpd::kBigPlaylist - 1;
    benchmark::State& state_;
    bench::SilentServices* silent_ = nullptr;
    std::unique_ptr<fw::UserServices> previous_;
    Window1* window_ = nullptr;
};

void BM_Bare168(benchmark::State& state) {
    if (!bench::FixtureReady(state))
        return;
    const QString big = QString::number(DemoMpd::kBigPlaylist);
    for (auto _ : state) {
        if (!bench::Attempt(state, [&] { benchmark::DoNotOptimize(fw::ScriptRunner::Run(168, {big})); }))
            break;
    }
}
BENCHMARK(BM_Bare168)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

// From the double-click until the song list and its count show (the handler returns); the loader thread's
// end is not timed.
void BM_DoubleClickToCount(benchmark::State& state) {
    LoadOfBig load(state);
    if (!load.Ready())
        return;
    for (auto _ : state) {
        load.DoubleClick();
        state.PauseTiming();
        if (!load.CheckListed())
            break;
        load.FinishLoad();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DoubleClickToCount)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

// From the double-click until Busy is hidden: the loader thread has ended and its call has reached the
// window.
void BM_DoubleClickToBusyHidden(benchmark::State& state) {
    LoadOfBig load(state);
    if (!load.Ready())
        return;
    for (auto _ : state) {
        load.DoubleClick();
        load.FinishLoad();
        state.PauseTiming();
        if (!load.CheckListed())
            break;
        if (!load.Window().Busy->isHidden()) {
            bench::Fail(state, QStringLiteral("Busy stayed up"));
            break;
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DoubleClickToBusyHidden)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

} // namespace
