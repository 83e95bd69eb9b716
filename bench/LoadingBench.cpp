// Loading a playlist's song titles: the cursor parse against the literal parse that takes each piece
// from the front of the reply (copying the rest every time), with and without filling the song list;
// and a double-click on a 10,000-song playlist against the bare run of script 168 that it waits for.
#include "framework/Listbox.h"
#include "framework/ScriptRunner.h"
#include "framework/Services.h"
#include "quiz/Module1.h"
#include "quiz/ReplyParser.h"
#include "quiz/Window1.h"
#include "support/PrivateMpd.h"

#include <QCoreApplication>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>

namespace {

constexpr int kTitles = 10000;

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
    fw::Listbox list(QStringLiteral("iTunes"), &parent);
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

// Boxes would block a benchmark; none is expected, so any that comes is a failure.
class NoBoxes : public fw::UserServices {
public:
    QStringList messages;
    void ShowMessage(const QString& text, const QString&) override { messages << text; }
    int AskMessage(const QString& prompt, int, const QString&) override {
        messages << prompt;
        return fw::MsgBoxCancel;
    }
    fw::DialogAnswer AskDialog(const fw::MessageDialog&) override { return fw::DialogAnswer::Cancel; }
    void Beep() override {}
    bool OpenUrl(const QString&) override { return true; }
};

// A private MPD with a playlist "Big" of 10,000 songs (number 2: it sorts before the demo playlists),
// made once for the benchmarks that need it and stopped when the application ends.
struct BigMpd {
    testing_support::PrivateMpd mpd;
    QTemporaryDir config;
    bool ready = false;
    QString error;

    BigMpd() {
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        // Stopped while the application still exists, before static objects go.
        qAddPostRoutine([] { Get().mpd.Stop(); });
        fw::ScriptRunner::SetBundleDir(QStringLiteral(ZANDOLIN_SCRIPTS_DIR));
        if (!mpd.Start()) {
            error = mpd.Error();
            return;
        }
        if (mpd.AddUntaggedPlaylist(QStringLiteral("Big"), QStringLiteral("big"), kTitles).size() !=
            kTitles) {
            error = QStringLiteral("the big playlist could not be made");
            return;
        }
        ready = true;
    }
    static BigMpd& Get() {
        static BigMpd instance;
        return instance;
    }
};

void BM_Bare168(benchmark::State& state) {
    BigMpd& big = BigMpd::Get();
    if (!big.ready) {
        state.SkipWithError(big.error.toStdString().c_str());
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(fw::ScriptRunner::Run(168, {QStringLiteral("2")}));
}
BENCHMARK(BM_Bare168)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

// From the double-click until the count shows (the handler returns); the loader thread's own run of 168
// overlaps it, as it does for the user. Waiting for that run to end is not timed.
void BM_DoubleClickToCount(benchmark::State& state) {
    BigMpd& big = BigMpd::Get();
    if (!big.ready) {
        state.SkipWithError(big.error.toStdString().c_str());
        return;
    }
    auto services = std::make_unique<NoBoxes>();
    NoBoxes* boxes = services.get();
    auto previous = fw::SetServices(std::move(services));
    Window1& w = Window1::instance();
    if (w.Playlists().ListCount() < 2 || w.Playlists().Cell(1, 1) != QStringLiteral("Big")) {
        state.SkipWithError("the playlist table does not list Big second");
    } else {
        for (auto _ : state) {
            w.Playlists().ListIndex(1);
            emit w.Playlists().Table()->cellDoubleClicked(1, 1);
            state.PauseTiming();
            if (w.NoSongs().Text() != QStringLiteral("10000") || !boxes->messages.isEmpty())
                state.SkipWithError("the songs were not listed");
            w.Thread1().Wait();
            QCoreApplication::processEvents();
            state.ResumeTiming();
        }
    }
    w.Thread1().Wait();
    fw::Window::DestroyAll();
    QCoreApplication::processEvents();
    fw::SetServices(std::move(previous));
}
BENCHMARK(BM_DoubleClickToCount)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

} // namespace
