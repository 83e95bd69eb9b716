// Next Song until the song plays, next to the bare run of script 169 that it waits for.
#include "BenchSupport.h"
#include "framework/ScriptRunner.h"
#include "framework/Services.h"
#include "quiz/ChoiceRules.h"
#include "quiz/Module1.h"
#include "quiz/Window1.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {

using bench::DemoMpd;
using bench::SilentServices;

void BM_Bare169(benchmark::State& state) {
    if (!DemoMpd::Get().Ready()) {
        state.SkipWithError("the private MPD did not start");
        return;
    }
    int track = 0;
    for (auto _ : state)
        fw::ScriptRunner::Run(169, {QStringLiteral("2"), QString::number(track++ % 12 + 1)});
}
BENCHMARK(BM_Bare169)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

void BM_NextSongToPlaying(benchmark::State& state) {
    if (!DemoMpd::Get().Ready()) {
        state.SkipWithError("the private MPD did not start");
        return;
    }
    auto services = std::make_unique<SilentServices>();
    SilentServices* silent = services.get();
    auto previous = fw::SetServices(std::move(services));
    Module1::Initialize();
    Module1::R = std::make_unique<QRandomGenerator>(1);
    Window1& window = Window1::instance();
    window.Playlists().ListIndex(1);
    window.Playlists_DoubleClick();
    window.Thread1().Wait();
    QCoreApplication::processEvents();
    window.StartTest().Push();
    for (auto _ : state) {
        state.PauseTiming();
        window.ComboBox1().Text(Module1::CorrectAnswer);
        window.Enter().Push();
        if (Module1::Question >= 19)
            window.StartTest().Push(); // keep the test running
        state.ResumeTiming();
        window.NextQuestion().Push(); // returns once script 169 has started the song
    }
    if (silent->boxes)
        state.SkipWithError("a message box came up");
    fw::Window::DestroyAll();
    QCoreApplication::processEvents();
    fw::SetServices(std::move(previous));
}
BENCHMARK(BM_NextSongToPlaying)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

// The choice work of one question on a 10,000-song list, without the music player: the check that
// Next Song makes and the draw of the five choices. Argument 0: every title different (the usual
// list); 1: four titles only, the list that has to be read to its end.
void BM_QuestionChoices10000(benchmark::State& state) {
    auto previous = fw::SetServices(std::make_unique<SilentServices>());
    Module1::Initialize();
    Module1::R = std::make_unique<QRandomGenerator>(1);
    Window1& window = Window1::instance();
    window.iTunes().DeleteAllRows();
    for (int i = 0; i < 10000; ++i)
        window.iTunes().AddRow(QStringLiteral("Song %1").arg(state.range(0) ? i % 4 : i));
    for (auto _ : state) {
        benchmark::DoNotOptimize(CanDrawChoices(window.iTunes()));
        window.HandleChoices();
    }
    fw::Window::DestroyAll();
    QCoreApplication::processEvents();
    fw::SetServices(std::move(previous));
}
BENCHMARK(BM_QuestionChoices10000)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
