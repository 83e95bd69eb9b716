#include "scores/ScoreTable.h"

#include "framework/Errors.h"
#include "framework/TextFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <sys/stat.h>

namespace {

const QString kTab = QStringLiteral("\t");

QStringList Lines(const QString& line) {
    return QStringList(ScoreTable::kSize, line);
}

// A score ranks by the number at its start, after leading blanks, and 0 without one: the file may have
// been edited by hand.
double ScoreValue(const QString& score) {
    static const QRegularExpression number(
        QStringLiteral("^[ \t]*([+-]?(?:[0-9]+(?:\\.[0-9]*)?|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?)"));
    const QRegularExpressionMatch match = number.match(score);
    bool ok = false;
    const double value = match.captured(1).toDouble(&ok);
    return ok ? value : 0.0;
}

// The row holding entry that lies nearest to row, or -1 when the entry is not in the table.
int NearestRow(const QList<ScoreTable::Entry>& entries, const ScoreTable::Entry& entry, int row) {
    for (int distance = 0; distance < ScoreTable::kSize; ++distance)
        for (const int candidate : {row - distance, row + distance})
            if (candidate >= 0 && candidate < entries.size() && entries[candidate] == entry)
                return candidate;
    return -1;
}

} // namespace

ScoreTable::ScoreTable(QString path, QObject* parent)
    : QObject(parent), path_(std::move(path)), entries_(parse({})) {}

QString ScoreTable::filePath() const {
    return path_.isEmpty() ? fw::preferencesFile(QStringLiteral("zandolinscores.txt")) : path_;
}

ScoreTable::Stamp ScoreTable::stampOf(const QString& path) {
    // A rewrite puts a new file in place, so its inode changes even when size and time (to the
    // nanosecond) happen to match the old one's.
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return {qint64(info.st_ino), qint64(info.st_size),
            qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

QString ScoreTable::cleanField(QString text) {
    text.remove(QLatin1Char('\t'));
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    return cutField(text);
}

QString ScoreTable::cutField(const QString& text, qsizetype characters, qsizetype units) {
    // Whether a character ends at a place depends on the text before it and on the one character after
    // it: the finder needs no more than two units past the bound, so a field of megabytes cuts at once.
    const QString head = text.left(std::max<qsizetype>(units, 0) + 2);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, head);
    qsizetype end = 0;
    for (qsizetype count = 0; count < characters; ++count) {
        const qsizetype next = finder.toNextBoundary();
        if (next < 0 || next > units)
            break;
        end = next;
    }
    return text.left(end);
}

QList<ScoreTable::Entry> ScoreTable::parse(const QStringList& lines) {
    QList<Entry> entries;
    for (int i = 0; i < kSize; ++i) {
        const QString line = lines.value(i);
        entries.append({cutField(line.section(u'\t', 0, 0)), cutField(line.section(u'\t', 1, 1))});
    }
    return entries;
}

void ScoreTable::load() {
    QStringList lines;
    QString problem;
    QString path;
    try {
        path = filePath();
        if (!QFileInfo::exists(path)) {
            lines = Lines(QStringLiteral(" \t0"));
            try {
                fw::writeLines(path, lines);
            } catch (const fw::Error& e) {
                // The table still starts as the default one; the next change tries the file again.
                problem = QStringLiteral("The high scores file could not be created. %1").arg(e.Message());
            }
        }
        if (problem.isEmpty())
            lines = fw::readLines(path);
        known_ = stampOf(path);
    } catch (const fw::Error& e) {
        problem = QStringLiteral("The high scores could not be read, so the table starts empty; the scores "
                                 "file is kept as it is until the table changes. %1")
                      .arg(e.Message());
        lines = Lines(QStringLiteral("\t0"));
        // Taken as read, so that the table's next change replaces it unless another copy rewrote it.
        known_ = path.isEmpty() ? Stamp() : stampOf(path);
    }
    entries_ = parse(lines);
    emit changed();
    if (!problem.isEmpty())
        emit failed(problem);
}

bool ScoreTable::save() {
    try {
        QStringList lines;
        for (const Entry& entry : std::as_const(entries_))
            lines << cleanField(entry.name) + kTab + cleanField(entry.score);
        const QString path = filePath();
        fw::writeLines(path, lines);
        known_ = stampOf(path);
        return true;
    } catch (const fw::Error& e) {
        emit failed(QStringLiteral("The high scores could not be saved. %1").arg(e.Message()));
        return false;
    }
}

bool ScoreTable::reloadIfChanged() {
    // Another copy of the program may have filed a score since this table was read; writing back the
    // old table would drop it. A missing or unreadable file leaves the table as it is.
    try {
        const QString path = filePath();
        const Stamp now = stampOf(path);
        if (now == Stamp() || now == known_)
            return false;
        entries_ = parse(fw::readLines(path));
        known_ = now;
        return true;
    } catch (const fw::Error&) {
        return false;
    }
}

void ScoreTable::saveAndAnnounce() {
    save();
    emit changed();
}

bool ScoreTable::qualifies(int points) {
    if (reloadIfChanged())
        emit changed();
    return points > 0 && ScoreValue(entries_.last().score) < double(points);
}

void ScoreTable::insert(const QString& name, int points) {
    reloadIfChanged();
    entries_.append({cleanField(name), QString::number(points)});
    // Stable, so equal scores keep their order and the new entry ends below them.
    std::stable_sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
        return ScoreValue(a.score) > ScoreValue(b.score);
    });
    entries_.resize(kSize);
    saveAndAnnounce();
}

void ScoreTable::rename(int row, const QString& name) {
    if (row < 0 || row >= kSize)
        return;
    const Entry edited = entries_[row];
    // When the file was reloaded, the entry being renamed may have moved down or left the table.
    if (reloadIfChanged())
        row = NearestRow(entries_, edited, row);
    if (row < 0) {
        emit changed();
        return;
    }
    entries_[row].name = cleanField(name);
    saveAndAnnounce();
}

void ScoreTable::clear() {
    for (Entry& entry : entries_)
        entry = {QString(), QStringLiteral("0")};
    saveAndAnnounce();
}
