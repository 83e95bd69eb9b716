#include "framework/Errors.h"

#include "framework/Services.h"

namespace fw {

namespace {
void ReportUncaught(const QString& message) {
    try {
        Services().ShowMessage(message, QStringLiteral("Zandolin"));
    } catch (...) {
        // Nothing more can be done if even the report fails; keep the program running.
    }
}
} // namespace

bool Guard(const std::function<void()>& fn) {
    try {
        fn();
        return true;
    } catch (const Error& e) {
        ReportUncaught(e.Message());
    } catch (const std::exception& e) {
        ReportUncaught(QStringLiteral("Unexpected error: %1").arg(QString::fromLocal8Bit(e.what())));
    } catch (...) {
        ReportUncaught(QStringLiteral("Unexpected error."));
    }
    return false;
}

} // namespace fw
