#include "framework/Errors.h"

#include "framework/Services.h"

#include <QCoreApplication>
#include <QStringList>
#include <QThread>
#include <atomic>

namespace fw {

namespace {

// Main-thread state of the step in progress; steps are only counted there.
int depth = 0;
quint64 lastStep = 0;
bool unattended = false;
QStringList toldInStep;
// The user has been told that the player does not answer, and nothing has answered since.
bool noAnswerTold = false;
// Open ReportsOnConsole scopes; read by guards on any thread.
std::atomic<int> consoleReports{0};

bool OnMainThread() {
    const QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

// Whether message should reach the user now; remembers it as told when it should.
bool ShouldTell(const QString& message, bool noAnswer) {
    if (!OnMainThread())
        return true;
    if (depth > 0) {
        if (toldInStep.contains(message) || (noAnswer && unattended && noAnswerTold))
            return false;
        toldInStep << message; // before the box: its event loop may run further handlers of this step
    }
    if (noAnswer)
        noAnswerTold = true;
    return true;
}

void ReportUncaught(const QString& message, bool noAnswer = false) {
    if (!ShouldTell(message, noAnswer))
        return;
    if (consoleReports > 0) {
        qWarning("%s", qUtf8Printable(message));
        return;
    }
    try {
        Services().ShowMessage(message, QStringLiteral("Zandolin"));
    } catch (...) {
        // Nothing more can be done if even the report fails; keep the program running.
    }
}

bool GuardIn(Step::Origin origin, const std::function<void()>& fn) {
    const Step step(origin);
    try {
        fn();
        return true;
    } catch (const NoAnswerError& e) {
        ReportUncaught(e.Message(), true);
    } catch (const Error& e) {
        ReportUncaught(e.Message());
    } catch (const std::exception& e) {
        ReportUncaught(QStringLiteral("Unexpected error: %1").arg(QString::fromLocal8Bit(e.what())));
    } catch (...) {
        ReportUncaught(QStringLiteral("Unexpected error."));
    }
    return false;
}

} // namespace

void PlayerAnswered() {
    if (OnMainThread())
        noAnswerTold = false;
}

Step::Step(Origin origin) : counted_(OnMainThread()) {
    if (!counted_ || depth++ > 0)
        return;
    ++lastStep;
    unattended = origin == Unattended;
    toldInStep.clear();
}

Step::~Step() {
    if (counted_)
        --depth;
}

quint64 Step::Current() {
    return OnMainThread() && depth > 0 ? lastStep : 0;
}

ReportsOnConsole::ReportsOnConsole() {
    ++consoleReports;
}

ReportsOnConsole::~ReportsOnConsole() {
    --consoleReports;
}

bool Guard(const std::function<void()>& fn) {
    return GuardIn(Step::ByUser, fn);
}

bool GuardUnattended(const std::function<void()>& fn) {
    return GuardIn(Step::Unattended, fn);
}

} // namespace fw
