#include "framework/ScriptRunner.h"

#include "framework/Errors.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMutex>
#include <QProcess>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <csignal>
#include <exception>
#include <unistd.h>

namespace fw {

namespace {

QMutex settingsMutex;
QString bundleDir;
int timeLimitMs = 10000;
std::function<void(int)> runObserver;

const QString kTimeoutVariable = QStringLiteral("MPD_TIMEOUT");

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

bool OnMainThread() {
    const QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

// The last step that found MPD not answering (main thread only), and the error that said so: the later
// runs of that step fail at once with it.
quint64 silentStep = 0;
std::exception_ptr silence;

// The wait for MPD that a run gets, in whole seconds (as mpc reads MPD_TIMEOUT), and whether the user
// chose it.
struct MpdWait {
    int seconds;
    bool usersOwn;
};

MpdWait WaitFor(const QProcessEnvironment& env) {
    bool ok = false;
    const double users = env.value(kTimeoutVariable).toDouble(&ok);
    if (!ok || !(users > 0)) // unset, text, NaN, 0 or less: mpc would wait its own 30 s
        return {ScriptRunner::MpdWaitSeconds, false};
    return {users >= ScriptRunner::MostMpdWaitSeconds ? ScriptRunner::MostMpdWaitSeconds
                                                      : int(std::ceil(users)),
            true};
}

// The reason without what to do about it: that depends on what the program was doing.
NoAnswerError NoAnswer(const QString& reason) {
    return NoAnswerError(QStringLiteral("MPD does not answer (%1)").arg(reason));
}

[[noreturn]] void RaiseFailure(int number, QProcess& process) {
    const QString line = FirstLine(QString::fromUtf8(process.readAllStandardError()));
    const int status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    if (status == ScriptRunner::NoAnswerStatus)
        throw line.isEmpty() ? NoAnswer(QStringLiteral("script %1").arg(number)) : NoAnswerError(line);
    const QString reply = QString::fromUtf8(process.readAllStandardOutput());
    if (line.isEmpty())
        throw ScriptError(
            QStringLiteral("The music player script %1 failed (exit code %2).").arg(number).arg(status),
            status, reply);
    throw ScriptError(line, status, reply);
}

// The wait cursor while the main thread is held up by a run.
class BusyCursor {
public:
    explicit BusyCursor(bool show)
        : shown_(show && qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (shown_)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    ~BusyCursor() {
        if (shown_)
            QGuiApplication::restoreOverrideCursor();
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    bool shown_;
};

void ObserveRun(int number) {
    std::function<void(int)> observer;
    {
        QMutexLocker lock(&settingsMutex);
        observer = runObserver;
    }
    if (observer)
        observer(number);
}

QString RunProcess(int number, const QStringList& arguments) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const MpdWait wait = WaitFor(env);
    // mpc gets the very wait that the hard bound allows for, in the whole seconds it reads.
    env.insert(kTimeoutVariable, QString::number(wait.seconds));
    // A wait the user chose is theirs to keep; the hard bound only catches what outlasts it.
    const int hardBound = wait.usersOwn ? std::max(ScriptRunner::TimeLimit(), (wait.seconds + 2) * 1000)
                                        : ScriptRunner::TimeLimit();

    const QString program = ScriptRunner::BundleDir() + QLatin1Char('/') + QString::number(number);
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    // A group of its own: a terminal's Ctrl+C is the program's to handle, and the whole script, mpc
    // included, can be stopped.
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
    const BusyCursor cursor(OnMainThread());
    process.start(QIODevice::ReadOnly);
    if (!process.waitForStarted())
        throw Error(QStringLiteral("The music player script %1 cannot be run: %2")
                        .arg(program, process.errorString()));
    ObserveRun(number);
    if (!process.waitForFinished(hardBound)) {
        ::kill(-pid_t(process.processId()), SIGKILL);
        process.waitForFinished(2000);
        throw NoAnswer(QStringLiteral("script %1 did not finish within %2 seconds and was stopped")
                           .arg(number)
                           .arg(hardBound / 1000.0));
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        RaiseFailure(number, process);
    if (OnMainThread())
        PlayerAnswered();
    return QString::fromUtf8(process.readAllStandardOutput());
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

void ScriptRunner::SetRunObserver(std::function<void(int)> observer) {
    QMutexLocker lock(&settingsMutex);
    runObserver = std::move(observer);
}

QString ScriptRunner::Run(int number, const QStringList& arguments) {
    const quint64 step = Step::Current();
    if (step != 0 && step == silentStep)
        std::rethrow_exception(silence);
    try {
        return RunProcess(number, arguments);
    } catch (const NoAnswerError&) {
        if (step != 0) {
            silentStep = step;
            silence = std::current_exception();
        }
        throw;
    }
}

} // namespace fw
