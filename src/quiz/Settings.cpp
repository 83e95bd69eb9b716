// The settings file: one line, "True" or "False", in the preferences folder.
#include "framework/TextFiles.h"
#include "quiz/Module1.h"
#include "quiz/Window1.h"

#include <QFileInfo>

namespace {
const QString kSettingsFile = QStringLiteral("zandolin.txt");

void WriteSetting(const QString& path, bool value) {
    fw::writeLines(path, {value ? QStringLiteral("True") : QStringLiteral("False")});
}
} // namespace

void Window1::getPlist() {
    const QString path = fw::preferencesFile(kSettingsFile);
    if (!QFileInfo::exists(path))
        WriteSetting(path, true);
    Module1::SoundFlag = fw::readLines(path).value(0) == QLatin1String("True");
}

// Written atomically: the old file stays whole until the new one is complete.
void Window1::savePlist() {
    WriteSetting(fw::preferencesFile(kSettingsFile), Module1::SoundFlag);
}
