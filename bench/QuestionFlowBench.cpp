// Next Song until the song plays, at 12 and at 10,000 songs, next to the bare mpc calls that play one
// file as script 169 does (clear, add, play, seek, status) and the bare run of script 169 that it waits for.
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

const QString kBarePlay = QStringLiteral(ZANDOLIN_SOURCE_DIR "/bench/bare-play.sh");

// MPD's failure as the anchor's last mpc call gives it, else how the anchor ended.
QString BarePlayFailure(QProcess& process, bool finished) {
    const QString said = QString::fromUtf8(process.readAllStandardError()).trimmed();
    if (!said.isEmpty())
        return said;
    return finished ? QStringLiteral("bare-play.sh exited with %1").arg(process.exitCode())
                    : QStringLiteral("bare-play.sh did not finish");
}

void BM_BareMpcPlay(benchmark::State& state) {
    if (!bench::FixtureReady(state))
        return;
    const QStringList files = DemoMpd::Get().Files(int(state.range(0)));
    if (files.isEmpty())
        return bench::Fail(state, QStringLiteral("MPD does not list the playlist"));
    // The same wait for MPD as the scripts get.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("MPD_TIMEOUT"), QString::number(fw::ScriptRunner::MpdWaitSeconds));
    int track = 0;
    for (auto _ : state) {
        QProcess sh;
        sh.setProcessEnvironment(env);
        sh.start(QStringLiteral("sh"), {kBarePlay, files[track++ % files.size()]});
        const bool finished = sh.waitForFinished();
        if (!finished || sh.exitStatus() != QProcess::NormalExit || sh.exitCode() != 0) {
            bench::Fail(state, BarePlayFailure(sh, finished));
            break;
        }
    }
}
BENCHMARK(BM_BareMpcPlay)->Apply(AtBothSizes);

void BM_Bare169(benchmark::State& state) {
    if (!bench::FixtureReady(state))
        return;
    const int songs = int(state.range(0));
    const QString playlist = QString::number(DemoMpd::Playlist(songs));
    // As in the window before its first question: 172 and 168 have kept the names and the listing that
    // 169 plays from. Without them 169 lists the playlist itself, 110 ms at 10,000 songs.
    if (!bench::Attempt(state, [&] {
            fw::ScriptRunner::Run(172);
            fw::ScriptRunner::Run(168, {playlist});
        }))
        return;
    int track = 0;
    for (auto _ : state) {
        if (!bench::Attempt(state, [&] {
                fw::ScriptRunner::Run(169, {playlist, QString::number(track++ % songs + 1)});
            }))
            break;
    }
}
BENCHMARK(BM_Bare169)->Apply(AtBothSizes);

// The song list of the playlist with this many songs, loaded as a double-click does, and a test begun.
bool BeginTest(benchmark::State& state, Window1& window, int songs) {
    return bench::Attempt(state, [&] {
        window.Playlists->ListIndex(DemoMpd::Playlist(songs) - 1);
        window.Playlists_DoubleClick();
        window.Thread1.wait();
        QCoreApplication::processEvents();
        if (window.iTunes->ListCount() != songs)
            return bench::Fail(state, QStringLiteral("the playlist was not listed"));
        window.StartTest->click();
    });
}

void BM_NextSongToPlaying(benchmark::State& state) {
    if (!bench::FixtureReady(state))
        return;
    auto services = std::make_unique<SilentServices>();
    SilentServices* silent = services.get();
    auto previous = fw::SetServices(std::move(services));
    Module1::Initialize();
    Module1::R = std::make_unique<QRandomGenerator>(1);
    Window1& window = Window1::instance();
    // A box means that a click failed (the program reports its errors in boxes): the benchmark says which.
    const auto boxCameUp = [&] {
        if (silent->boxes)
            bench::Fail(state, QStringLiteral("a message box came up: ") + silent->firstText);
        return silent->boxes > 0;
    };
    if (BeginTest(state, window, int(state.range(0))) && !boxCameUp()) {
        for (auto _ : state) {
            state.PauseTiming();
            window.ComboBox1->setEditText(Module1::CorrectAnswer);
            window.Enter->click();
            if (Module1::Question >= 19)
                window.StartTest->click(); // keep the test running
            if (boxCameUp())
                break;
            state.ResumeTiming();
            window.NextQuestion->click(); // returns once script 169 has started the song
            if (boxCameUp())
                break;
        }
    }
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
