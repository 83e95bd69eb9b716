// Next Song until the song plays, at 12 and at 10,000 songs, next to the bare mpc commands that play one
// file (clear, add, play) and the bare run of script 169 that it waits for.
#include "BenchSupport.h"
#include "framework/ScriptRunner.h"
#include "framework/Services.h"
#include "quiz/ChoiceRules.h"
#include "quiz/Module1.h"
#include "quiz/Window1.h"

#include <QCoreApplication>
#include <QProcess>
#include <benchmark/benchmark.h>

namespace {

using bench::DemoMpd;
using bench::SilentServices;

// Each Next Song pair runs at 12 and at 10,000 songs, timed by the clock on the wall: MPD does the work.
void AtBothSizes(benchmark::internal::Benchmark* b) {
    b->Arg(DemoMpd::kClassicsSongs)
        ->Arg(DemoMpd::kBigSongs)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->MinTime(2.0);
}

bool FixtureReady(benchmark::State& state) {
    if (!DemoMpd::Get().Ready())
        state.SkipWithError(DemoMpd::Get().Error().toStdString().c_str());
    return DemoMpd::Get().Ready();
}

void BM_BareMpcPlay(benchmark::State& state) {
    if (!FixtureReady(state))
        return;
    const QStringList files = DemoMpd::Get().Files(int(state.range(0)));
    int track = 0;
    for (auto _ : state) {
        QProcess mpc;
        mpc.start(QStringLiteral("sh"),
                  {QStringLiteral("-c"), QStringLiteral("mpc -q clear; mpc -q add \"$1\"; mpc -q play"),
                   QStringLiteral("sh"), files[track++ % files.size()]});
        if (!mpc.waitForFinished() || mpc.exitCode() != 0)
            state.SkipWithError("mpc failed");
    }
}
BENCHMARK(BM_BareMpcPlay)->Apply(AtBothSizes);

void BM_Bare169(benchmark::State& state) {
    if (!FixtureReady(state))
        return;
    const int songs = int(state.range(0));
    const QString playlist = QString::number(DemoMpd::Playlist(songs));
    int track = 0;
    for (auto _ : state)
        fw::ScriptRunner::Run(169, {playlist, QString::number(track++ % songs + 1)});
}
BENCHMARK(BM_Bare169)->Apply(AtBothSizes);

void BM_NextSongToPlaying(benchmark::State& state) {
    if (!FixtureReady(state))
        return;
    auto services = std::make_unique<SilentServices>();
    SilentServices* silent = services.get();
    auto previous = fw::SetServices(std::move(services));
    Module1::Initialize();
    Module1::R = std::make_unique<QRandomGenerator>(1);
    Window1& window = Window1::instance();
    window.Playlists->ListIndex(DemoMpd::Playlist(int(state.range(0))) - 1);
    window.Playlists_DoubleClick();
    window.Thread1.wait();
    QCoreApplication::processEvents();
    if (window.iTunes->ListCount() != state.range(0))
        state.SkipWithError("the playlist was not listed");
    window.StartTest->click();
    for (auto _ : state) {
        state.PauseTiming();
        window.ComboBox1->setEditText(Module1::CorrectAnswer);
        window.Enter->click();
        if (Module1::Question >= 19)
            window.StartTest->click(); // keep the test running
        state.ResumeTiming();
        window.NextQuestion->click(); // returns once script 169 has started the song
    }
    if (silent->boxes)
        state.SkipWithError("a message box came up");
    fw::DestroyAllWindows();
    QCoreApplication::processEvents();
    fw::SetServices(std::move(previous));
}
BENCHMARK(BM_NextSongToPlaying)->Apply(AtBothSizes);

// The choice work of one question on a 10,000-song list, without the music player: the check that
// Next Song makes and the draw of the five choices. Argument 0: every title different (the usual
// list); 1: four titles only, the list that has to be read to its end.
void BM_QuestionChoices10000(benchmark::State& state) {
    auto previous = fw::SetServices(std::make_unique<SilentServices>());
    Module1::Initialize();
    Module1::R = std::make_unique<QRandomGenerator>(1);
    Window1& window = Window1::instance();
    window.iTunes->DeleteAllRows();
    for (int i = 0; i < 10000; ++i)
        window.iTunes->AddRow(QStringLiteral("Song %1").arg(state.range(0) ? i % 4 : i));
    for (auto _ : state) {
        benchmark::DoNotOptimize(CanDrawChoices(*window.iTunes));
        window.HandleChoices();
    }
    fw::DestroyAllWindows();
    QCoreApplication::processEvents();
    fw::SetServices(std::move(previous));
}
BENCHMARK(BM_QuestionChoices10000)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
