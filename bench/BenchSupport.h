// Pieces shared by the benchmarks: services that never block, and a private MPD with the fixture library.
#pragma once

#include "framework/Services.h"
#include "support/PrivateMpd.h"

#include <QStringList>
#include <QTemporaryDir>

namespace bench {

// Counts message boxes instead of showing them; a benchmark that expects none can check.
class SilentServices : public fw::UserServices {
public:
    int boxes = 0;
    void ShowMessage(const QString&, const QString&) override { ++boxes; }
    int AskMessage(const QString&, int, const QString&) override { return ++boxes, fw::MsgBoxCancel; }
    fw::DialogAnswer AskDialog(const fw::MessageDialog&) override { return fw::DialogAnswer::Cancel; }
    void Beep() override {}
    bool OpenUrl(const QString&) override { return true; }
};

// The fixture library on a private MPD, made on first use with a fresh preferences folder and stopped when
// the application ends: the demo playlists and "Big", 10,000 untagged songs in folders of 100 as real
// libraries are laid out. Playlist numbers as the window shows them: 2 is Big (it sorts first), 3 the
// demo's "Classics" (12 songs).
class DemoMpd {
public:
    static constexpr int kBigSongs = 10000;
    static constexpr int kBigPlaylist = 2;
    static constexpr int kClassicsSongs = 12;
    static constexpr int kClassicsPlaylist = 3;

    static DemoMpd& Get();
    bool Ready() const { return error_.isEmpty(); }
    const QString& Error() const { return error_; }
    // The files of the playlist with this many songs (Big or Classics), in track order.
    QStringList Files(int songs) const;
    // The playlist number of the playlist with this many songs.
    static int Playlist(int songs) { return songs == kBigSongs ? kBigPlaylist : kClassicsPlaylist; }

private:
    DemoMpd();
    testing_support::PrivateMpd mpd_;
    QTemporaryDir config_;
    QString error_;
};

} // namespace bench
