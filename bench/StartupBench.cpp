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
    if (!bench::FixtureReady(state))
        return;
    auto services = std::make_unique<bench::SilentServices>();
    bench::SilentServices* silent = services.get();
    auto previous = fw::SetServices(std::move(services));
    for (auto _ : state) {
        const bool opened = bench::Attempt(state, [] {
            Startup::Begin();
            QCoreApplication::processEvents(); // the windows show
        });
        if (opened)
            state.PauseTiming(); // not after a failure, which has stopped the clock
        if (opened && silent->boxes)
            bench::Fail(state, QStringLiteral("a message box came up: ") + silent->firstText);
        else if (opened && Window1::instance().Playlists->ListCount() < 2)
            bench::Fail(state, QStringLiteral("the playlist table was not filled"));
        Startup::End();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (state.error_occurred())
            break;
        state.ResumeTiming();
    }
    fw::SetServices(std::move(previous));
}
BENCHMARK(BM_StartupToPlaylists)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

void BM_BareWindowAndScripts(benchmark::State& state) {
    if (!bench::FixtureReady(state))
        return;
    for (auto _ : state) {
        QMainWindow window;
        window.setFixedSize(863, 432);
        auto* playlists = new QTableWidget(&window);
        auto* songs = new QTableWidget(&window);
        playlists->setGeometry(34, 330, 388, 82);
        songs->setGeometry(441, 330, 388, 82);
        QStringList names;
        if (!bench::Attempt(state, [&] {
                fw::ScriptRunner::Run(173);
                names = fw::ScriptRunner::Run(172).split(QLatin1Char(','));
            }))
            break;
        playlists->setColumnCount(2);
        for (const QString& name : names) {
            const int row = playlists->rowCount();
            playlists->insertRow(row);
            playlists->setItem(row, 1, new QTableWidgetItem(name));
        }
        if (!bench::Attempt(state, [] { fw::ScriptRunner::Run(174); }))
            break;
        window.show();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_BareWindowAndScripts)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

} // namespace
