// A private MPD for tests: started with player/mpd-private.sh in a temporary folder (the demo library,
// null audio output), reached by the player scripts through MPD_HOST, stopped again at the latest when
// the object goes. Should the test program die first, a watchdog stops it and removes the folder.
#pragma once

#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace testing_support {

class PrivateMpd {
public:
    ~PrivateMpd() { Stop(); }

    // The audio output: a null one, or one that opens on no machine (ALSA without its configuration), so
    // that MPD cannot play any song.
    enum class Output { Null, Broken };
    // Starts MPD (playlists "Classics" 12 songs, "Everything Odd" 10, "Mixed Bag" 15, "Short Set" 9) and
    // points MPD_HOST at it, and XDG_RUNTIME_DIR and XDG_STATE_HOME at folders of its own. False with Error()
    // set when it does not start.
    bool Start(Output output = Output::Null);
    // Stops MPD, waits until it has exited and restores the environment. Safe to call twice.
    void Stop();
    // Sends MPD a signal (SIGSTOP makes an MPD that never answers, SIGCONT brings it back).
    bool Signal(int signal) const;
    QString Error() const { return error_; }
    QString Dir() const { return dir_.path(); }
    QString Socket() const { return dir_.filePath("socket"); }
    QString PlaylistDir() const { return dir_.filePath("playlists"); }

    // Stores playlist name listing files (relative to the music folder); MPD shows it at once.
    bool AddPlaylist(const QString& name, const QStringList& files);
    // Adds count untagged silent songs of five seconds, folder/NNN/sNNNNN.wav in folders of 100 (their
    // titles are these file names), rescans the music and stores them as playlist name. Returns the
    // files, empty on failure.
    QStringList AddUntaggedPlaylist(const QString& name, const QString& folder, int count);

    // mpc's standard output without the final line break; exitCode gets its exit code (-1: did not run).
    QString Mpc(const QStringList& arguments, int* exitCode = nullptr) const;
    QString CurrentFile() const { return Mpc({"-f", "%file%", "current"}); }
    QString CurrentTitle() const { return Mpc({"-f", "%title%", "current"}); }
    // The plain status line tells playing from paused and stopped.
    bool IsPlaying() const { return Mpc({"status"}).contains("[playing]"); }

private:
    bool RunScript(const QString& command, Output output = Output::Null);

    QTemporaryDir dir_{QDir::tempPath() + "/zmpd-XXXXXX"};
    bool running_ = false;
    QString error_;
    QByteArray oldEnv_[3]; // null where the variable was not set
};

} // namespace testing_support
