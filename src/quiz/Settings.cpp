// The settings file: one line, "True" or "False", in the preferences folder.
#include "app/Module1.h"
#include "framework/FolderItem.h"
#include "quiz/Window1.h"

namespace {
const QString kSettingsFile = QStringLiteral("zandolin.txt");

void WriteSetting(const fw::FolderItem& file, bool value) {
    file.WriteLines({value ? QStringLiteral("True") : QStringLiteral("False")});
}
} // namespace

void Window1::getPlist() {
    const fw::FolderItem file = fw::FolderItem::Preferences().Child(kSettingsFile);
    if (!file.Exists())
        WriteSetting(file, true);
    auto stream = file.OpenAsTextFile();
    Module1::SoundFlag = stream->ReadLine() == QLatin1String("True");
    stream->Close();
}

// Written atomically: the old file stays whole until the new one is complete.
void Window1::savePlist() {
    WriteSetting(fw::FolderItem::Preferences().Child(kSettingsFile), Module1::SoundFlag);
}
