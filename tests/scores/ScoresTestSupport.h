// Shared by the high-score tests: the scores file, the table's entries and a file that cannot be read.
#pragma once

#include "scores/GameScores.h"
#include "support/TestSupport.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace scores_testing {

using namespace testing_support;

const QStringList kTen = {"Ann", "200", "Bob", "150", "Cy",  "150", "Di",  "100", "Ed", "95",
                          "Flo", "60",  "Gus", "50",  "Hal", "30",  "Ida", "20",  "Jo", "7"};

// Lines "name TAB score" from alternating names and scores.
inline QByteArray ScoresFile(const QStringList& entries) {
    QByteArray bytes;
    for (qsizetype i = 0; i + 1 < entries.size(); i += 2)
        bytes += (entries[i] + QLatin1Char('\t') + entries[i + 1] + QLatin1Char('\n')).toUtf8();
    return bytes;
}

// Ten entries of this name with the score 0.
inline QStringList Zeros(const char* name) {
    QStringList entries;
    for (int i = 0; i < ScoreTable::kSize; ++i)
        entries << QString::fromLatin1(name) << QStringLiteral("0");
    return entries;
}

// A table's entries as alternating names and scores, as ScoresFile takes them.
inline QStringList Flat(const QList<ScoreTable::Entry>& entries) {
    QStringList flat;
    for (const auto& [name, score] : entries)
        flat << name << score;
    return flat;
}

// The High Scores window's list as alternating names and scores.
inline QStringList Entries() {
    QStringList entries;
    const fw::Listbox* list = GameScores::instance().HighScores;
    for (int i = 0; i < list->ListCount(); ++i)
        entries << list->Cell(i, 0) << list->Cell(i, 1);
    return entries;
}

// While it lives, file permissions bind this thread even when it runs as root.
class PermissionsBind {
public:
    PermissionsBind() {
        syscall(SYS_capget, &header_, old_);
        __user_cap_data_struct reduced[2] = {old_[0], old_[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        syscall(SYS_capset, &header_, reduced);
    }
    ~PermissionsBind() { syscall(SYS_capset, &header_, old_); }

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct old_[2]{};
};

class ScoresTest : public testing_support::AppTest {
protected:
    QString Path() const { return ConfigFile(QStringLiteral("zandolinscores.txt")); }
    QByteArray Stored() const { return testing_support::ReadFile(Path()).toUtf8(); }
    // The file's bytes and time stamp, after moving the stamp into the past so that any rewrite shows.
    QString BackdatedState() const {
        QFile file(Path());
        file.open(QIODevice::ReadWrite);
        file.setFileTime(QDateTime::currentDateTime().addDays(-3), QFileDevice::FileModificationTime);
        return State();
    }
    QString State() const {
        return QFileInfo(Path()).lastModified().toString(Qt::ISODateWithMs) + QLatin1Char(' ') + Stored();
    }
};

} // namespace scores_testing
