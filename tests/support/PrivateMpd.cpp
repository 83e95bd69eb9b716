#include "support/PrivateMpd.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSaveFile>
#include <QtEndian>
#include <unistd.h>

namespace testing_support {

namespace {

constexpr int kScriptTimeoutMs = 120000;

// A valid, silent PCM WAV file of five seconds (long enough to be caught playing), 8-bit mono at 8 kHz:
// tagless and quick for MPD to scan.
QByteArray TinyWav() {
    const quint32 rate = 8000;
    const quint32 samples = rate * 5;
    QByteArray data(int(samples), '\x80'); // 8-bit unsigned silence
    QByteArray wav;
    auto put32 = [&wav](quint32 v) {
        const quint32 le = qToLittleEndian(v);
        wav.append(reinterpret_cast<const char*>(&le), 4);
    };
    auto put16 = [&wav](quint16 v) {
        const quint16 le = qToLittleEndian(v);
        wav.append(reinterpret_cast<const char*>(&le), 2);
    };
    wav.append("RIFF");
    put32(36 + quint32(data.size()));
    wav.append("WAVEfmt ");
    put32(16);
    put16(1); // PCM
    put16(1); // mono
    put32(rate);
    put32(rate); // bytes per second
    put16(1);    // block align
    put16(8);    // bits per sample
    wav.append("data");
    put32(quint32(data.size()));
    wav.append(data);
    return wav;
}

} // namespace

PrivateMpd::PrivateMpd() : dir_(QDir::tempPath() + QStringLiteral("/zmpd-XXXXXX")) {}

PrivateMpd::~PrivateMpd() {
    Stop();
}

QString PrivateMpd::Script() const {
    return QStringLiteral(ZANDOLIN_SOURCE_DIR "/player/mpd-private.sh");
}

bool PrivateMpd::RunScript(const QString& command) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ZANDOLIN_MPD_OUTPUT"), QStringLiteral("null"));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("bash"), {Script(), command, Dir()});
    if (!process.waitForStarted()) {
        error_ = QStringLiteral("bash cannot run: %1").arg(process.errorString());
        return false;
    }
    if (!process.waitForFinished(kScriptTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        error_ = QStringLiteral("mpd-private.sh %1 did not finish").arg(command);
        return false;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        error_ = QStringLiteral("mpd-private.sh %1 failed: %2")
                     .arg(command, QString::fromUtf8(process.readAll()).trimmed());
        return false;
    }
    return true;
}

bool PrivateMpd::Start() {
    if (running_)
        return true;
    if (!dir_.isValid()) {
        error_ = QStringLiteral("no temporary folder: %1").arg(dir_.errorString());
        return false;
    }
    // The watchdog outlives a crashed or killed test program and cleans up after it.
    const QString watchdog = QStringLiteral("exec </dev/null >/dev/null 2>&1; while kill -0 \"$1\" "
                                            "2>/dev/null; do sleep 1; done; bash \"$2\" stop \"$3\"; "
                                            "rm -rf -- \"$3\"");
    QProcess::startDetached(QStringLiteral("sh"),
                            {QStringLiteral("-c"), watchdog, QStringLiteral("zandolin-mpd-watchdog"),
                             QString::number(QCoreApplication::applicationPid()), Script(), Dir()});
    running_ = true; // from here on Stop() has something to undo, even if the start fails half-way
    hadHost_ = qEnvironmentVariableIsSet("MPD_HOST");
    oldHost_ = qgetenv("MPD_HOST");
    if (!RunScript(QStringLiteral("start"))) {
        Stop();
        return false;
    }
    qputenv("MPD_HOST", Socket().toUtf8());
    return true;
}

void PrivateMpd::Stop() {
    if (!running_)
        return;
    running_ = false;
    const QString error = error_;
    RunScript(QStringLiteral("stop"));
    if (!error.isEmpty())
        error_ = error; // keep the first reason
    if (hadHost_)
        qputenv("MPD_HOST", oldHost_);
    else
        qunsetenv("MPD_HOST");
}

bool PrivateMpd::AddPlaylist(const QString& name, const QStringList& files) {
    QSaveFile file(QDir(PlaylistDir()).filePath(name + QStringLiteral(".m3u")));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const QString& path : files)
        file.write(path.toUtf8() + '\n');
    return file.commit();
}

QStringList PrivateMpd::AddUntaggedPlaylist(const QString& name, const QString& folder, int count) {
    QDir music(MusicDir());
    if (!music.mkpath(folder))
        return {};
    const QString original = music.filePath(folder + QStringLiteral("/original.wav.tmp"));
    {
        QFile file(original);
        if (!file.open(QIODevice::WriteOnly) || file.write(TinyWav()) < 0)
            return {};
    }
    QStringList files;
    files.reserve(count);
    for (int i = 1; i <= count; ++i) {
        const QString relative = QStringLiteral("%1/s%2.wav").arg(folder).arg(i, 5, 10, QLatin1Char('0'));
        const QString path = music.filePath(relative);
        if (::link(QFile::encodeName(original).constData(), QFile::encodeName(path).constData()) != 0 &&
            !QFile::copy(original, path))
            return {};
        files << relative;
    }
    QFile::remove(original);
    if (!Update() || !AddPlaylist(name, files))
        return {};
    return files;
}

bool PrivateMpd::Update() {
    int code = -1;
    Mpc({QStringLiteral("-q"), QStringLiteral("-w"), QStringLiteral("update")}, &code);
    return code == 0;
}

QString PrivateMpd::Mpc(const QStringList& arguments, int* exitCode) const {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("MPD_HOST"), Socket());
    process.setProcessEnvironment(env);
    process.start(QStringLiteral("mpc"), arguments);
    const bool finished = process.waitForStarted() && process.waitForFinished(kScriptTimeoutMs);
    if (exitCode)
        *exitCode = finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    QString out = QString::fromUtf8(process.readAllStandardOutput());
    if (out.endsWith(QLatin1Char('\n')))
        out.chop(1);
    return out;
}

QString PrivateMpd::CurrentFile() const {
    return Mpc({QStringLiteral("-f"), QStringLiteral("%file%"), QStringLiteral("current")});
}

QString PrivateMpd::CurrentTitle() const {
    return Mpc({QStringLiteral("-f"), QStringLiteral("%title%"), QStringLiteral("current")});
}

bool PrivateMpd::IsPlaying() const {
    // "mpc status %state%" cannot tell stopped from paused; the plain status line can.
    return Mpc({QStringLiteral("status")}).contains(QStringLiteral("[playing]"));
}

} // namespace testing_support
