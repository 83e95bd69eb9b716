#include "support/PrivateMpd.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSaveFile>
#include <csignal>
#include <unistd.h>

namespace testing_support {

namespace {

const QString kScript = ZANDOLIN_SOURCE_DIR "/player/mpd-private.sh";

// Runs program against the MPD at socket (a null audio output when it starts one); returns its exit code,
// -1 when it did not run to its end (the process is killed then), and its output without the final line
// break.
int Run(const QString& program, const QStringList& arguments, const QString& socket, QString& out,
        QString& err) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("MPD_HOST", socket);
    env.insert("ZANDOLIN_MPD_OUTPUT", "null");
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    const bool finished = process.waitForStarted() && process.waitForFinished(120000);
    out = QString::fromUtf8(process.readAllStandardOutput());
    if (out.endsWith('\n'))
        out.chop(1);
    err = finished ? QString::fromUtf8(process.readAllStandardError()).trimmed() : "it did not finish";
    return finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

// A silent 8-bit mono PCM WAV of five seconds at 8 kHz: tagless, quick to scan, long enough to be caught
// playing.
QByteArray SilentWav() {
    const quint32 samples = 8000 * 5;
    QByteArray wav;
    QDataStream out(&wav, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + samples);
    out.writeRawData("WAVEfmt ", 8);
    // format length, PCM, mono, rate, bytes per second, block align, bits per sample
    out << quint32(16) << quint16(1) << quint16(1) << quint32(8000) << quint32(8000) << quint16(1)
        << quint16(8);
    out.writeRawData("data", 4);
    out << samples;
    return wav + QByteArray(samples, '\x80');
}

} // namespace

PrivateMpd::PrivateMpd() : dir_(QDir::tempPath() + "/zmpd-XXXXXX") {}

bool PrivateMpd::RunScript(const QString& command) {
    QString out, err;
    if (Run("bash", {kScript, command, Dir()}, Socket(), out, err) == 0)
        return true;
    if (error_.isEmpty()) // keep the first reason
        error_ = QString("mpd-private.sh %1 failed: %2").arg(command, err);
    return false;
}

bool PrivateMpd::Start() {
    if (running_)
        return true;
    if (!dir_.isValid()) {
        error_ = "no temporary folder: " + dir_.errorString();
        return false;
    }
    // The watchdog outlives a crashed or killed test program and cleans up after it.
    QProcess::startDetached("sh", {"-c",
                                   "exec </dev/null >/dev/null 2>&1; while kill -0 \"$1\" 2>/dev/null; do "
                                   "sleep 1; done; bash \"$2\" stop \"$3\"; rm -rf -- \"$3\"",
                                   "zandolin-mpd-watchdog",
                                   QString::number(QCoreApplication::applicationPid()), kScript, Dir()});
    running_ = true; // from here on Stop() has something to undo, even if the start fails half-way
    for (EnvVar& var : env_)
        var.old = qgetenv(var.name);
    if (!RunScript("start")) {
        Stop();
        return false;
    }
    // The scripts keep names, listings and the saved queue in these folders; none of the user's own.
    QDir(Dir()).mkpath("run");
    QFile::setPermissions(dir_.filePath("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    for (const EnvVar& var : env_)
        qputenv(var.name, (Dir() + var.ours).toUtf8());
    return true;
}

void PrivateMpd::Stop() {
    if (!running_)
        return;
    running_ = false;
    RunScript("stop");
    for (const EnvVar& var : env_)
        var.old.isNull() ? qunsetenv(var.name) : qputenv(var.name, var.old);
}

bool PrivateMpd::Signal(int signal) const {
    QFile pidFile(QDir(Dir()).filePath("pid"));
    const pid_t pid = pidFile.open(QIODevice::ReadOnly) ? pidFile.readAll().trimmed().toInt() : 0;
    return running_ && pid > 0 && ::kill(pid, signal) == 0;
}

bool PrivateMpd::AddPlaylist(const QString& name, const QStringList& files) {
    QSaveFile file(QDir(PlaylistDir()).filePath(name + ".m3u"));
    return file.open(QIODevice::WriteOnly) && file.write((files.join('\n') + '\n').toUtf8()) >= 0 &&
           file.commit();
}

QStringList PrivateMpd::AddUntaggedPlaylist(const QString& name, const QString& folder, int count) {
    QDir music(MusicDir());
    const QString original = music.filePath(folder + "/original.wav.tmp");
    QFile file(original);
    if (!music.mkpath(folder) || !file.open(QIODevice::WriteOnly) || file.write(SilentWav()) < 0)
        return {};
    file.close();
    QStringList files;
    for (int i = 1; i <= count; ++i) {
        // Folders of 100 songs, as real libraries are laid out.
        const QString subfolder =
            QString("%1/%2").arg(folder).arg((i - 1) / 100 + 1, 3, 10, QLatin1Char('0'));
        if (i % 100 == 1 && !music.mkpath(subfolder))
            return {};
        files << QString("%1/s%2.wav").arg(subfolder).arg(i, 5, 10, QLatin1Char('0'));
        const QString path = music.filePath(files.last());
        if (::link(QFile::encodeName(original).constData(), QFile::encodeName(path).constData()) != 0 &&
            !QFile::copy(original, path))
            return {};
    }
    QFile::remove(original);
    return Update() && AddPlaylist(name, files) ? files : QStringList();
}

bool PrivateMpd::Update() {
    int code = -1;
    Mpc({"-q", "-w", "update"}, &code);
    return code == 0;
}

QString PrivateMpd::Mpc(const QStringList& arguments, int* exitCode) const {
    QString out, err;
    const int code = Run("mpc", arguments, Socket(), out, err);
    if (exitCode)
        *exitCode = code;
    return out;
}

} // namespace testing_support
