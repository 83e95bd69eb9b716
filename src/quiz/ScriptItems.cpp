#include "quiz/ScriptItems.h"

#include "framework/Errors.h"
#include "framework/ScriptRunner.h"

namespace {

const QString kAtStartUp = QStringLiteral("start Zandolin again");

QString RunScript(int number, const QVariantList& params, const QString& then) {
    QStringList arguments;
    arguments.reserve(params.size());
    for (const QVariant& value : params)
        arguments << (value.typeId() == QMetaType::Int ? QString::number(value.toInt()) : value.toString());
    try {
        return fw::ScriptRunner::Run(number, arguments);
    } catch (const fw::NoAnswerError& e) {
        const QString start = e.Message() + QStringLiteral(": start MPD or set MPD_HOST");
        throw fw::NoAnswerError(then.isEmpty() ? start + u'.'
                                               : QStringLiteral("%1, then %2.").arg(start, then));
    }
}

} // namespace

void AppleScript1(const QVariantList& params) {
    AppleScript1Reply(params);
}
QString AppleScript1Reply(const QVariantList& params) {
    return RunScript(168, params, QStringLiteral("double-click the playlist again"));
}
void AppleScript2(const QVariantList& params, const QString& thenPress) {
    RunScript(169, params, QStringLiteral("press %1").arg(thenPress));
}
void AppleScript3(const QVariantList& params) {
    RunScript(170, params, {});
}
void AppleScript4(const QVariantList& params) {
    RunScript(171, params, QStringLiteral("press Need More Time again"));
}
QString AppleScript5(const QVariantList& params) {
    return RunScript(172, params, kAtStartUp);
}
void AppleScript6(const QVariantList& params) {
    RunScript(173, params, kAtStartUp);
}
void AppleScript7a(const QVariantList& params) {
    RunScript(174, params, kAtStartUp);
}
