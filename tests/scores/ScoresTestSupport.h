// Helpers shared by the high-score tests: the scores file, the table's rows and writing refused.
#pragma once

#include "scores/GameScores.h"
#include "support/FileFaults.h"
#include "support/TestSupport.h"

#include <QDateTime>
#include <QStringList>
#include <memory>

namespace scores_testing {

// Ten lines "name TAB score" from alternating names and scores.
QByteArray ScoresFile(const QStringList& entries);
// The table as "name|score" texts, row by row.
QStringList Rows();
QDateTime Modified(const QString& path);
// Moves the file's time stamp into the past, so that any rewrite shows in it.
void Backdate(const QString& path);

class ScoresTest : public testing_support::AppTest {
protected:
    QString ScoresPath() const { return ConfigFile(QStringLiteral("zandolinscores.txt")); }
};

// Makes writing into folder fail while it lives: a read-only folder, and where permissions do not stop
// this process (run as root), a file-size limit that no rewrite fits in.
class WritesRefused {
public:
    explicit WritesRefused(const QString& folder);
    ~WritesRefused();
    WritesRefused(const WritesRefused&) = delete;
    WritesRefused& operator=(const WritesRefused&) = delete;

private:
    QString folder_;
    std::unique_ptr<testing_support::ScopedFileSizeLimit> limit_;
};

} // namespace scores_testing
