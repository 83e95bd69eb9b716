// A private MPD for tests: started with player/mpd-private.sh in a temporary folder (the demo library,
// null audio output), reached by the player scripts through MPD_HOST, stopped again at the latest when
// the object goes. Should the test program die first, a watchdog stops it and removes the folder.
//
//   testing_support::PrivateMpd mpd;
//   ASSERT_TRUE(mpd.Start()) << mpd.Error();     // sets MPD_HOST for the scripts
//   mpd.AddPlaylist("Mine", {"mira-sol/tune-02.ogg", ...});
//   mpd.Mpc({"status"}); mpd.CurrentFile(); mpd.CurrentTitle(); mpd.IsPlaying();
//   mpd.Stop();                                   // also restores MPD_HOST
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace testing_support {

class PrivateMpd {
public:
    PrivateMpd();
    ~PrivateMpd();
    PrivateMpd(const PrivateMpd&) = delete;
    PrivateMpd& operator=(const PrivateMpd&) = delete;

    // Starts MPD (making the demo library: playlists "Classics" 12 songs, "Everything Odd" 10, "Mixed Bag"
    // 15, "Short Set" 9) and points MPD_HOST at it. False with Error() set when it does not start.
    bool Start();
    // Stops MPD, waits until it has exited and restores MPD_HOST. Safe to call twice.
    void Stop();
    bool IsRunning() const { return running_; }
    QString Error() const { return error_; }

    QString Dir() const { return dir_.path(); }
    QString MusicDir() const { return dir_.filePath(QStringLiteral("music")); }
    QString PlaylistDir() const { return dir_.filePath(QStringLiteral("playlists")); }
    QString Socket() const { return dir_.filePath(QStringLiteral("socket")); }

    // Stores playlist name listing files (paths relative to the music folder), in this order. MPD reads
    // stored playlists on each request, so it shows at once.
    bool AddPlaylist(const QString& name, const QStringList& files);
    // Adds count untagged songs, hard links of one silent WAV file of five seconds named folder/sNNNNN.wav
    // (so their titles are these file names), brings MPD's database up to date and stores them as playlist
    // name. Returns the files in playlist order, empty on failure.
    QStringList AddUntaggedPlaylist(const QString& name, const QString& folder, int count);
    // Rescans the music folder and waits for the end of the scan.
    bool Update();

    // Runs mpc against this MPD; returns its standard output without the final line break. exitCode gets
    // mpc's exit code (-1 when it could not run).
    QString Mpc(const QStringList& arguments, int* exitCode = nullptr) const;
    QString CurrentFile() const;
    QString CurrentTitle() const;
    bool IsPlaying() const;

private:
    QString Script() const;
    bool RunScript(const QString& command);

    QTemporaryDir dir_;
    bool running_ = false;
    QString error_;
    QByteArray oldHost_;
    bool hadHost_ = false;
};

} // namespace testing_support
