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

// Runs fn; an error that escapes is shown in a message box and swallowed. Returns false when fn failed.
bool Guard(const std::function<void()>& fn);

} // namespace fw
