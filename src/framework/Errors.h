// Errors that program code may raise. The framework calls every handler through Guard, which reports an
// escaping error in a message box; no exception ever crosses Qt's event loop.
#pragma once

#include <QString>
#include <functional>
#include <stdexcept>

namespace fw {

class Error : public std::runtime_error {
public:
    explicit Error(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& Message() const { return message_; }

private:
    QString message_;
};

// Raised where the program would use an object that does not exist.
class NilObjectError : public Error {
public:
    explicit NilObjectError(const QString& what) : Error(QStringLiteral("Nil object: %1").arg(what)) {}
};

// Raised when a script ends with a failure of its own; its exit status tells what kind, and what it
// printed, if anything, may say more.
class ScriptError : public Error {
public:
    ScriptError(const QString& message, int exitCode, const QString& reply = {})
        : Error(message), exitCode_(exitCode), reply_(reply) {}
    int ExitCode() const { return exitCode_; }
    const QString& Reply() const { return reply_; }

private:
    int exitCode_;
    QString reply_;
};

// Raised when the music player does not answer. The user hears of it once: a step reports it at most
// once, and a step the user did not start (a timer's) stays silent while the user has been told and
// nothing has answered since.
class NoAnswerError : public Error {
public:
    using Error::Error;
};

// Marks that the music player answered: its next failure is reported again wherever it arises.
void PlayerAnswered();

// A step is everything that one event sets off: its handler and whatever runs nested inside it (a modal
// box's event loop runs timers). The outermost Step on the main thread opens it; inner ones join it.
// Within one step an error message is shown once, however many handlers raise it.
class Step {
public:
    enum Origin { ByUser, Unattended };
    explicit Step(Origin origin = ByUser);
    ~Step();
    Step(const Step&) = delete;
    Step& operator=(const Step&) = delete;

    // A number that names the step in progress on the main thread; 0 outside any step and off the main
    // thread.
    static quint64 Current();

private:
    bool counted_;
};

// While one exists, an error that escapes a guard is written to standard error, not shown in a box: during a
// quit that the system asked for, a box would hold the quit up, and at a session's end no one answers it.
class ReportsOnConsole {
public:
    ReportsOnConsole();
    ~ReportsOnConsole();
    ReportsOnConsole(const ReportsOnConsole&) = delete;
    ReportsOnConsole& operator=(const ReportsOnConsole&) = delete;
};

// Runs fn within a step; an error that escapes is shown in a message box and swallowed. Returns false
// when fn failed.
bool Guard(const std::function<void()>& fn);
// The same for steps that no user action started: timers and calls queued from other threads.
bool GuardUnattended(const std::function<void()>& fn);

} // namespace fw
