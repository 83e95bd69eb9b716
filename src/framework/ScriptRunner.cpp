#include "framework/ScriptRunner.h"

#include "framework/Errors.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QProcess>

namespace fw {

namespace {
QMutex settingsMutex;
QString bundleDir;
int timeLimitMs = 60000;

QString FindBundleDir() {
    const QString appDir = QCoreApplication::applicationDirPath();
    for (const QString& candidate :
         {appDir + QStringLiteral("/scripts"), appDir + QStringLiteral("/../share/zandolin/scripts")}) {
        if (QFileInfo(candidate).isDir())
            return QDir::cleanPath(candidate);
    }
    return QDir::cleanPath(appDir + QStringLiteral("/scripts"));
}

QString FirstLine(const QString& text) {
    const QString trimmed = text.trimmed();
    const qsizetype end = trimmed.indexOf(QLatin1Char('\n'));
    return end < 0 ? trimmed : trimmed.left(end).trimmed();
}
} // namespace

QString ScriptRunner::BundleDir() {
    QMutexLocker lock(&settingsMutex);
    if (bundleDir.isEmpty())
        bundleDir = FindBundleDir();
    return bundleDir;
}

void ScriptRunner::SetBundleDir(const QString& dir) {
    QMutexLocker lock(&settingsMutex);
    bundleDir = dir;
}

void ScriptRunner::SetTimeLimit(int milliseconds) {
    QMutexLocker lock(&settingsMutex);
    timeLimitMs = milliseconds;
}

int ScriptRunner::TimeLimit() {
    QMutexLocker lock(&settingsMutex);
    return timeLimitMs;
}

QString ScriptRunner::Run(int number, const QStringList& arguments) {
    const QString program = BundleDir() + QLatin1Char('/') + QString::number(number);
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(QIODevice::ReadOnly);
    if (!process.waitForStarted())
        throw Error(QStringLiteral("The music player script %1 cannot be run: %2")
                        .arg(program, process.errorString()));
    if (!process.waitForFinished(TimeLimit())) {
        process.kill();
        process.waitForFinished(2000);
        throw Error(
            QStringLiteral("The music player script %1 did not finish within %2 seconds and was stopped.")
                .arg(number)
                .arg(TimeLimit() / 1000.0));
    }
    const QString reply = QString::fromUtf8(process.readAllStandardOutput());
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        const QString message = FirstLine(QString::fromUtf8(process.readAllStandardError()));
        throw Error(message.isEmpty() ? QStringLiteral("The music player script %1 failed (exit code %2).")
                                            .arg(number)
                                            .arg(process.exitCode())
                                      : message);
    }
    return reply;
}

} // namespace fw
