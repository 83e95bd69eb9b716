// Start-up until the playlist table is filled, next to a bare Qt window of the same size with two lists
// plus the bare runs of the scripts the opening waits for (173, 172, 174).
#include "BenchSupport.h"
#include "app/Startup.h"
#include "framework/ScriptRunner.h"
#include "quiz/Window1.h"

#include <QCoreApplication>
#include <QMainWindow>
#include <QTableWidget>
#include <benchmark/benchmark.h>

namespace {

void BM_StartupToPlaylists(benchmark::State& state) {
    if (!bench::DemoMpd::Get().Ready()) {
        state.SkipWithError("the private MPD did not start");
        return;
    }
    auto previous = fw::SetServices(std::make_unique<bench::SilentServices>());
    for (auto _ : state) {
        Startup::Begin();
        QCoreApplication::processEvents(); // the windows show
        if (Window1::instance().Playlists->ListCount() < 2)
            state.SkipWithError("the playlist table was not filled");
        state.PauseTiming();
        Startup::End();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    fw::SetServices(std::move(previous));
}
BENCHMARK(BM_StartupToPlaylists)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

void BM_BareWindowAndScripts(benchmark::State& state) {
    if (!bench::DemoMpd::Get().Ready()) {
        state.SkipWithError("the private MPD did not start");
        return;
    }
    for (auto _ : state) {
        QMainWindow window;
        window.setFixedSize(863, 432);
        auto* playlists = new QTableWidget(&window);
        auto* songs = new QTableWidget(&window);
        playlists->setGeometry(34, 330, 388, 82);
        songs->setGeometry(441, 330, 388, 82);
        fw::ScriptRunner::Run(173);
        const QStringList names = fw::ScriptRunner::Run(172).split(QLatin1Char(','));
        playlists->setColumnCount(2);
        for (const QString& name : names) {
            const int row = playlists->rowCount();
            playlists->insertRow(row);
            playlists->setItem(row, 1, new QTableWidgetItem(name));
        }
        fw::ScriptRunner::Run(174);
        window.show();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_BareWindowAndScripts)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

} // namespace
