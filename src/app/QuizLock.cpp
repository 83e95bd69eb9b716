#include "app/QuizLock.h"

#include <QDir>
#include <QRegularExpression>

namespace {

struct MpdAddress {
    QString host; // a host name, or a socket's path (an abstract one starts with "@")
    QString port;
    bool IsSocket() const { return host.startsWith(u'/') || host.startsWith(u'@'); }
};

// As libmpdclient reads the environment: a password is "password@" before the host, and without a host
// or port it tries the local MPD on port 6600.
MpdAddress Address() {
    QString host = qEnvironmentVariable("MPD_HOST");
    if (const qsizetype at = host.indexOf(u'@'); at > 0)
        host = host.mid(at + 1);
    bool numeric = false;
    const int port = qEnvironmentVariable("MPD_PORT").toInt(&numeric);
    MpdAddress address{host.isEmpty() ? QStringLiteral("localhost") : host,
                       QString::number(numeric && port > 0 ? port : 6600)};
    if (!address.IsSocket())
        address.host = address.host.toLower();
    return address;
}

QString StateFolder() {
    const QString state = qEnvironmentVariable("XDG_STATE_HOME");
    return (state.isEmpty() ? QDir::homePath() + QStringLiteral("/.local/state") : state) +
           QStringLiteral("/zandolin");
}

} // namespace

QString QuizLock::Where() {
    const MpdAddress address = Address();
    return address.IsSocket() ? QStringLiteral("socket %1").arg(address.host)
                              : QStringLiteral("%1 port %2").arg(address.host, address.port);
}

bool QuizLock::TryLock() {
    const MpdAddress address = Address();
    QString id = address.IsSocket() ? address.host : address.host + u'-' + address.port;
    id.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]")), QStringLiteral("_"));
    const QString folder = StateFolder();
    QDir().mkpath(folder);
    file_ = std::make_unique<QLockFile>(folder + QStringLiteral("/quiz-") + id.left(200) +
                                        QStringLiteral(".lock"));
    // Held for the whole run: only a lock whose process is gone is stale, however old.
    file_->setStaleLockTime(0);
    return file_->tryLock(0) || file_->error() != QLockFile::LockFailedError;
}
