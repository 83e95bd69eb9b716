// Peak memory with 10,000 songs loaded, next to a bare Qt window of the same size holding the same titles
// in a plain list. Peak memory is per process, so bench/memory.sh runs each in a process of its own.
#include "BenchSupport.h"
#include "app/Startup.h"
#include "framework/ScriptRunner.h"
#include "quiz/Module1.h"
#include "quiz/Window1.h"

#include <QCoreApplication>
#include <QFile>
#include <QMainWindow>
#include <QStringList>
#include <QTableWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

constexpr int kSongs = 10000;

QStringList Titles() {
    QStringList titles;
    for (int i = 1; i <= kSongs; ++i)
        titles << QStringLiteral("A song title of ordinary length, number %1").arg(i);
    return titles;
}

// Scripts that answer as a player with one playlist of 10,000 songs would.
struct TenThousandSongs {
    QTemporaryDir dir;
    TenThousandSongs() {
        const QString reply = Titles().join(QStringLiteral("##%#,")) + QStringLiteral("##%#");
        QFile titles(dir.filePath(QStringLiteral("titles")));
        titles.open(QIODevice::WriteOnly);
        titles.write(reply.toUtf8());
        titles.close();
        for (int n = 168; n <= 174; ++n) {
            const QString body = n == 168   ? QStringLiteral("cat '%1'").arg(titles.fileName())
                                 : n == 172 ? QStringLiteral("printf 'Library,Big'")
                                            : QString();
            QFile script(dir.filePath(QString::number(n)));
            script.open(QIODevice::WriteOnly);
            script.write(QStringLiteral("#!/bin/sh\n%1\n").arg(body).toUtf8());
            script.setPermissions(script.permissions() | QFile::ExeOwner);
        }
        fw::ScriptRunner::SetBundleDir(dir.path());
    }
};

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void BM_PeakMemory_TenThousandSongsLoaded(benchmark::State& state) {
    TenThousandSongs player;
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    auto previous = fw::SetServices(std::make_unique<bench::SilentServices>());
    for (auto _ : state) {
        const bool loaded = bench::Attempt(state, [&] {
            Startup::Begin();
            Window1& window = Window1::instance();
            window.Playlists->ListIndex(1);
            window.Playlists_DoubleClick();
            window.Thread1.wait();
            QCoreApplication::processEvents();
            if (window.iTunes->ListCount() != kSongs)
                bench::Fail(state, QStringLiteral("the songs were not loaded"));
        });
        if (!loaded)
            break;
    }
    state.counters["peak_kB"] = double(PeakKilobytes());
    Startup::End();
    fw::SetServices(std::move(previous));
}
BENCHMARK(BM_PeakMemory_TenThousandSongsLoaded)->Iterations(1);

void BM_PeakMemory_BareWindowWithTitles(benchmark::State& state) {
    for (auto _ : state) {
        QMainWindow window;
        window.setFixedSize(863, 432);
        auto* songs = new QTableWidget(&window);
        songs->setGeometry(441, 330, 388, 82);
        const QStringList titles = Titles();
        benchmark::DoNotOptimize(titles.size());
        window.show();
        QCoreApplication::processEvents();
    }
    state.counters["peak_kB"] = double(PeakKilobytes());
}
BENCHMARK(BM_PeakMemory_BareWindowWithTitles)->Iterations(1);

} // namespace
