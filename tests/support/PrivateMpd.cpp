#include "support/PrivateMpd.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSaveFile>
#include <csignal>
#include <unistd.h>

namespace testing_support {

namespace {

const QString kScript = ZANDOLIN_SOURCE_DIR "/player/mpd-private.sh";
// What leads the scripts to this MPD and its folders while it runs, each after Dir().
constexpr const char* kEnv[3][2] = {
    {"MPD_HOST", "/socket"}, {"XDG_RUNTIME_DIR", "/run"}, {"XDG_STATE_HOME", "/state"}};

// Runs program against the MPD at socket (with that audio output when it starts one): its exit code (-1
// when it did not run to its end; the process is killed then), output and error text.
std::tuple<int, QString, QString> Run(const QString& program, const QStringList& arguments,
                                      const QString& socket, PrivateMpd::Output output = {}) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("MPD_HOST", socket);
    env.insert("ZANDOLIN_MPD_OUTPUT", output == PrivateMpd::Output::Broken ? "alsa" : "null");
    if (output == PrivateMpd::Output::Broken)
        env.insert("ALSA_CONFIG_PATH", "/nonexistent/alsa.conf");
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    const bool finished = process.waitForStarted() && process.waitForFinished(120000);
    QString out = QString::fromUtf8(process.readAllStandardOutput());
    if (out.endsWith('\n'))
        out.chop(1);
    return {finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, out,
            finished ? QString::fromUtf8(process.readAllStandardError()).trimmed() : "it did not finish"};
}

} // namespace

bool PrivateMpd::RunScript(const QString& command, Output output) {
    const auto [code, out, err] = Run("bash", {kScript, command, Dir()}, dir_.filePath("socket"), output);
    if (code != 0 && error_.isEmpty()) // keep the first reason
        error_ = QString("mpd-private.sh %1 failed: %2").arg(command, err);
    return code == 0;
}

bool PrivateMpd::Start(Output output) {
    if (running_)
        return true;
    // The watchdog outlives a crashed or killed test program and cleans up after it.
    QProcess::startDetached("sh", {"-c",
                                   "exec </dev/null >/dev/null 2>&1; while kill -0 \"$1\" 2>/dev/null; do "
                                   "sleep 1; done; bash \"$2\" stop \"$3\"; rm -rf -- \"$3\"",
                                   "zandolin-mpd-watchdog",
                                   QString::number(QCoreApplication::applicationPid()), kScript, Dir()});
    running_ = true; // from here on Stop() has something to undo, even if the start fails half-way
    for (int i = 0; i < 3; ++i)
        oldEnv_[i] = qgetenv(kEnv[i][0]);
    if (!RunScript("start", output)) {
        Stop();
        return false;
    }
    // The scripts keep names, listings and the saved queue in these folders; none of the user's own.
    QDir().mkdir(dir_.filePath("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    for (const auto& [name, ours] : kEnv)
        qputenv(name, (Dir() + ours).toUtf8());
    return true;
}

void PrivateMpd::Stop() {
    if (!std::exchange(running_, false))
        return;
    RunScript("stop");
    for (int i = 0; i < 3; ++i)
        oldEnv_[i].isNull() ? qunsetenv(kEnv[i][0]) : qputenv(kEnv[i][0], oldEnv_[i]);
}

bool PrivateMpd::Signal(int signal) const {
    QFile pidFile(dir_.filePath("pid"));
    const pid_t pid = pidFile.open(QIODevice::ReadOnly) ? pidFile.readAll().trimmed().toInt() : 0;
    return running_ && pid > 0 && ::kill(pid, signal) == 0;
}

bool PrivateMpd::AddPlaylist(const QString& name, const QStringList& files) {
    QSaveFile file(QDir(PlaylistDir()).filePath(name + ".m3u"));
    return file.open(QIODevice::WriteOnly) && file.write((files.join('\n') + '\n').toUtf8()) >= 0 &&
           file.commit();
}

QStringList PrivateMpd::AddUntaggedPlaylist(const QString& name, const QString& folder, int count) {
    const QDir music(dir_.filePath("music"));
    const QByteArray original = QFile::encodeName(music.filePath(folder + "/original.wav"));
    // Silent 8-bit mono at 8 kHz: tagless, quick to scan, long enough to be caught playing. Each song is
    // a hard link to it, so that thousands of songs take no room.
    const QStringList sox{"-D",   "-n", "-r", "8000", "-c", "1", "-b", "8", QFile::decodeName(original),
                          "trim", "0",  "5"};
    if (!music.mkpath(folder) || std::get<0>(Run("sox", sox, {})) != 0)
        return {};
    QStringList files;
    for (int i = 1; i <= count; ++i) {
        // Folders of 100 songs, as real libraries are laid out.
        const QString subfolder = QString("%1/%2").arg(folder).arg((i - 1) / 100 + 1, 3, 10, QChar('0'));
        files << QString("%1/s%2.wav").arg(subfolder).arg(i, 5, 10, QChar('0'));
        const QByteArray path = QFile::encodeName(music.filePath(files.last()));
        if ((i % 100 == 1 && !music.mkpath(subfolder)) || ::link(original.constData(), path.constData()) != 0)
            return {};
    }
    ::unlink(original.constData());
    int code = -1;
    Mpc({"-q", "-w", "update"}, &code);
    return code == 0 && AddPlaylist(name, files) ? files : QStringList();
}

QString PrivateMpd::Mpc(const QStringList& arguments, int* exitCode) const {
    const auto [code, out, err] = Run("mpc", arguments, dir_.filePath("socket"));
    if (exitCode)
        *exitCode = code;
    return out;
}

} // namespace testing_support
