#include "quiz/ScriptItems.h"

#include "framework/ScriptRunner.h"

namespace {

QString RunScript(int number, const QVariantList& params) {
    QStringList arguments;
    arguments.reserve(params.size());
    for (const QVariant& value : params)
        arguments << (value.typeId() == QMetaType::Int ? QString::number(value.toInt()) : value.toString());
    return fw::ScriptRunner::Run(number, arguments);
}

} // namespace

void AppleScript1(const QVariantList& params) {
    RunScript(168, params);
}
QString AppleScript1Reply(const QVariantList& params) {
    return RunScript(168, params);
}
void AppleScript2(const QVariantList& params) {
    RunScript(169, params);
}
void AppleScript3(const QVariantList& params) {
    RunScript(170, params);
}
void AppleScript4(const QVariantList& params) {
    RunScript(171, params);
}
QString AppleScript5(const QVariantList& params) {
    return RunScript(172, params);
}
void AppleScript6(const QVariantList& params) {
    RunScript(173, params);
}
void AppleScript7a(const QVariantList& params) {
    RunScript(174, params);
}
