// Next Song until the song plays, next to the bare run of script 169 that it waits for.
#include "app/Module1.h"
#include "framework/ScriptRunner.h"
#include "framework/Services.h"
#include "quiz/Window1.h"
#include "support/PrivateMpd.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

class SilentServices : public fw::UserServices {
public:
    int boxes = 0;
    void ShowMessage(const QString&, const QString&) override { ++boxes; }
    int AskMessage(const QString&, int, const QString&) override { return ++boxes, fw::MsgBoxCancel; }
    fw::DialogAnswer AskDialog(const fw::MessageDialog&) override { return fw::DialogAnswer::Cancel; }
    void Beep() override {}
    void OpenUrl(const QString&) override {}
};

// The demo library's "Classics" (12 songs, playlist number 2) on a private MPD of its own.
struct DemoMpd {
    testing_support::PrivateMpd mpd;
    QTemporaryDir config;
    bool ready = false;

    DemoMpd() {
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        qAddPostRoutine([] { Get().mpd.Stop(); });
        fw::ScriptRunner::SetBundleDir(QStringLiteral(ZANDOLIN_SCRIPTS_DIR));
        ready = mpd.Start();
    }
    static DemoMpd& Get() {
        static DemoMpd instance;
        return instance;
    }
};

void BM_Bare169(benchmark::State& state) {
    if (!DemoMpd::Get().ready) {
        state.SkipWithError("the private MPD did not start");
        return;
    }
    int track = 0;
    for (auto _ : state)
        fw::ScriptRunner::Run(169, {QStringLiteral("2"), QString::number(track++ % 12 + 1)});
}
BENCHMARK(BM_Bare169)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

void BM_NextSongToPlaying(benchmark::State& state) {
    if (!DemoMpd::Get().ready) {
        state.SkipWithError("the private MPD did not start");
        return;
    }
    auto services = std::make_unique<SilentServices>();
    SilentServices* silent = services.get();
    auto previous = fw::SetServices(std::move(services));
    Module1::Initialize();
    Module1::R = std::make_unique<fw::Random>(1);
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

} // namespace
