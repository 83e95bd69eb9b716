#include "BenchSupport.h"

#include "framework/ScriptRunner.h"

#include <QCoreApplication>

namespace bench {

DemoMpd::DemoMpd() {
    qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
    // Stopped while the application still exists, before static objects go.
    qAddPostRoutine([] { Get().mpd_.Stop(); });
    fw::ScriptRunner::SetBundleDir(QStringLiteral(ZANDOLIN_SCRIPTS_DIR));
    ready_ = mpd_.Start();
}

DemoMpd& DemoMpd::Get() {
    static DemoMpd instance;
    return instance;
}

} // namespace bench
