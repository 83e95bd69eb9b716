#include "BenchSupport.h"

#include "framework/ScriptRunner.h"

#include <QCoreApplication>

namespace bench {

DemoMpd::DemoMpd() {
    qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
    // Stopped while the application still exists, before static objects go.
    qAddPostRoutine([] { Get().mpd_.Stop(); });
    fw::ScriptRunner::SetBundleDir(QStringLiteral(ZANDOLIN_SCRIPTS_DIR));
    if (!mpd_.Start())
        error_ = mpd_.Error();
    else if (mpd_.AddUntaggedPlaylist(QStringLiteral("Big"), QStringLiteral("big"), kBigSongs).size() !=
             kBigSongs)
        error_ = QStringLiteral("the big playlist could not be made");
}

DemoMpd& DemoMpd::Get() {
    static DemoMpd instance;
    return instance;
}

QStringList DemoMpd::Files(int songs) const {
    const QString name = songs == kBigSongs ? QStringLiteral("Big") : QStringLiteral("Classics");
    return mpd_.Mpc({QStringLiteral("-f"), QStringLiteral("%file%"), QStringLiteral("playlist"), name})
        .split(QLatin1Char('\n'));
}

} // namespace bench
