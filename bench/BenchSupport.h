// Pieces shared by the benchmarks: services that never block, a private MPD with the fixture library, and
// the catching of the program's errors, so that a benchmark that meets one reports it and the run goes on.
#pragma once

#include "framework/Errors.h"
#include "framework/Services.h"
#include "support/PrivateMpd.h"

#include <QStringList>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace bench {

// Counts message boxes instead of showing them and keeps the first one's text; a benchmark that expects
// none can check, and say what came up.
class SilentServices : public fw::UserServices {
public:
    int boxes = 0;
    QString firstText;
    void ShowMessage(const QString& text, const QString&) override { Record(text); }
    int AskMessage(const QString& text, int, const QString&) override {
        return Record(text), fw::MsgBoxCancel;
    }
    fw::DialogAnswer AskDialog(const fw::MessageDialog& dialog) override {
        Record(dialog.Message);
        return fw::DialogAnswer::Cancel;
    }
    void Beep() override {}
    bool OpenUrl(const QString&) override { return true; }

private:
    void Record(const QString& text) {
        if (boxes++ == 0)
            firstText = text;
    }
};

// Marks the benchmark failed with this reason (the first reason given, if there are several).
void Fail(benchmark::State& state, const QString& why);

// Runs work; an error that the program would report in a box (fw::Error and the like) fails the benchmark
// with its message instead of ending the whole run. False when work failed, and then the benchmark's loop
// must be left.
template <class Work> bool Attempt(benchmark::State& state, Work&& work) {
    try {
        work();
        return true;
    } catch (const fw::Error& e) {
        Fail(state, e.Message());
    } catch (const std::exception& e) {
        Fail(state, QString::fromUtf8(e.what()));
    }
    return false;
}

// The fixture library on a private MPD, made on first use with a fresh preferences folder and stopped when
// the application ends: the demo playlists and "Big", 10,000 untagged songs in folders of 100 as real
// libraries are laid out, each longer than MPD's audio buffer as real songs are. Playlist numbers as the
// window shows them: 2 is Big (it sorts first), 3 the demo's "Classics" (12 songs).
class DemoMpd {
public:
    static constexpr int kBigSongs = 10000;
    static constexpr int kBigPlaylist = 2;
    static constexpr int kClassicsSongs = 12;
    static constexpr int kClassicsPlaylist = 3;

    static DemoMpd& Get();
    bool Ready() const { return error_.isEmpty(); }
    const QString& Error() const { return error_; }
    // The files of the playlist with this many songs (Big or Classics), in track order; none when MPD
    // does not list them.
    QStringList Files(int songs) const;
    // The playlist number of the playlist with this many songs.
    static int Playlist(int songs) { return songs == kBigSongs ? kBigPlaylist : kClassicsPlaylist; }

private:
    DemoMpd();
    testing_support::PrivateMpd mpd_;
    QTemporaryDir config_;
    QString error_;
};

// True when the fixture MPD runs; else the benchmark is failed with the reason.
bool FixtureReady(benchmark::State& state);

} // namespace bench
