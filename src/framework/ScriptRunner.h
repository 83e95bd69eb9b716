// Runs the numbered scripts bundled with the program. Each parameter is one argument (never through a
// shell); standard output is the reply (UTF-8) and standard error the text of a failure.
#pragma once

#include <QString>
#include <QStringList>

namespace fw {

class ScriptRunner {
public:
    // Runs script `number` and returns its reply. Raises fw::Error when the script cannot start, exits
    // with an error, or does not finish within the time limit (it is then ended).
    static QString Run(int number, const QStringList& arguments = {});

    // Where the scripts are: next to the binary ("scripts/") in a build tree, or
    // "../share/zandolin/scripts" when installed. Tests may point it elsewhere.
    static QString BundleDir();
    static void SetBundleDir(const QString& dir);
    static void SetTimeLimit(int milliseconds);
    static int TimeLimit();
};

} // namespace fw
