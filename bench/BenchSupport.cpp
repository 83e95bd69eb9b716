#include "BenchSupport.h"

#include "framework/ScriptRunner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <unistd.h>

namespace bench {

namespace {

// Big's songs have a real song's format and are longer than MPD's audio buffer holds (4 MiB, 24 s of CD
// sound), so that MPD is still decoding when script 169 seeks, as with a real library. A song that MPD
// decodes whole before the seek (the tests' five seconds at 8 kHz) has its decoder started again by the
// seek, and MPD then leaves every client waiting until its output has played what it holds: the whole
// song, 4.8 s, about one question in 300.
const QStringList kBigSong{QStringLiteral("-r"), QStringLiteral("44100"), QStringLiteral("-c"),
                           QStringLiteral("2"),  QStringLiteral("-b"),    QStringLiteral("16")};
constexpr int kBigSongSeconds = 30;

bool Sox(const QStringList& arguments) {
    QProcess sox;
    sox.start(QStringLiteral("sox"), arguments);
    return sox.waitForFinished(60000) && sox.exitStatus() == QProcess::NormalExit && sox.exitCode() == 0;
}

// Adds count untagged silent songs as folder/NNN/sNNNNN.wav, in folders of 100 as real libraries are
// laid out (their titles are these file names), each a hard link to one file, so that they take no room;
// rescans the music and stores them as playlist name. False on failure.
bool AddBigPlaylist(testing_support::PrivateMpd& mpd, const QString& name, const QString& folder, int count) {
    const QDir music(mpd.Dir() + QStringLiteral("/music"));
    const QByteArray original = QFile::encodeName(music.filePath(folder + QStringLiteral("/original.wav")));
    if (!music.mkpath(folder) || !Sox(QStringList{QStringLiteral("-D"), QStringLiteral("-n")} + kBigSong +
                                      QStringList{QFile::decodeName(original), QStringLiteral("trim"),
                                                  QStringLiteral("0"), QString::number(kBigSongSeconds)}))
        return false;
    QStringList files;
    for (int i = 1; i <= count; ++i) {
        const QString subfolder =
            QStringLiteral("%1/%2").arg(folder).arg((i - 1) / 100 + 1, 3, 10, QChar('0'));
        files << QStringLiteral("%1/s%2.wav").arg(subfolder).arg(i, 5, 10, QChar('0'));
        const QByteArray path = QFile::encodeName(music.filePath(files.last()));
        if ((i % 100 == 1 && !music.mkpath(subfolder)) || ::link(original.constData(), path.constData()) != 0)
            return false;
    }
    ::unlink(original.constData());
    int code = -1;
    mpd.Mpc({QStringLiteral("-q"), QStringLiteral("-w"), QStringLiteral("update")}, &code);
    return code == 0 && mpd.AddPlaylist(name, files);
}

} // namespace

void Fail(benchmark::State& state, const QString& why) {
    if (!state.error_occurred())
        state.SkipWithError(why.toStdString().c_str());
}

DemoMpd::DemoMpd() {
    qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
    // Stopped while the application still exists, before static objects go.
    qAddPostRoutine([] { Get().mpd_.Stop(); });
    fw::ScriptRunner::SetBundleDir(QStringLiteral(ZANDOLIN_SCRIPTS_DIR));
    if (!mpd_.Start())
        error_ = mpd_.Error();
    else if (!AddBigPlaylist(mpd_, QStringLiteral("Big"), QStringLiteral("big"), kBigSongs))
        error_ = QStringLiteral("the big playlist could not be made");
}

DemoMpd& DemoMpd::Get() {
    static DemoMpd instance;
    return instance;
}

QStringList DemoMpd::Files(int songs) const {
    const QString name = songs == kBigSongs ? QStringLiteral("Big") : QStringLiteral("Classics");
    int code = -1;
    const QString listing =
        mpd_.Mpc({QStringLiteral("-f"), QStringLiteral("%file%"), QStringLiteral("playlist"), name}, &code);
    return code == 0 && !listing.isEmpty() ? listing.split(QLatin1Char('\n')) : QStringList();
}

bool FixtureReady(benchmark::State& state) {
    if (!DemoMpd::Get().Ready())
        Fail(state, DemoMpd::Get().Error());
    return DemoMpd::Get().Ready();
}

} // namespace bench
