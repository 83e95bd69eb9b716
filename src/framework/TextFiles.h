// Text files in the user's preferences folder. Files are UTF-8 with "\n" line ends; readers accept
// "\n", "\r\n" and a lone "\r". Every rewrite is atomic: the new contents replace the old file only when
// they have been written whole.
#pragma once

#include <QString>
#include <QStringList>

namespace fw {

// The path of the named file in the user's preferences folder ($XDG_CONFIG_HOME, else ~/.config); the
// folder is created when missing, and an error is raised when it cannot be.
QString preferencesFile(const QString& name);
// The file's lines; raises an error when it cannot be read.
QStringList readLines(const QString& path);
// Replaces the file with these lines, each ended by "\n"; raises an error and keeps the old file when
// that fails.
void writeLines(const QString& path, const QStringList& lines);
// Splits text at "\n", "\r\n" or a lone "\r"; a final line end does not start another line.
QStringList splitLines(const QString& text);

} // namespace fw
