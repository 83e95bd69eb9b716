// The top-ten table and the scores file that keeps it between runs: ten entries, best first, each a name
// and a score kept as the text the file holds (a score ranks by its numeric value). Every change rewrites
// the whole file at once, after taking in what another copy of the program filed since it was read.
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class ScoreTable : public QObject {
    Q_OBJECT
public:
    struct Entry {
        QString name;
        QString score;
        bool operator==(const Entry&) const = default;
    };
    static constexpr int kSize = 10;
    // Longer names and scores are cut where they are read or edited: far above any real one (the name
    // entry takes ten characters), and a text of megabytes would freeze the list that shows it. The
    // count is of characters as the user sees them (an emoji or a letter with its accents is one).
    static constexpr int kMaxFieldLength = 200;
    // Twenty UTF-16 units a character is more than real text takes; only a field of characters stacked
    // with dozens of marks each is cut at this bound, after the last character that ends within it.
    static constexpr int kMaxFieldUnits = 20 * kMaxFieldLength;

    // The table kept in the file at path; an empty path means "zandolinscores.txt" in the preferences
    // folder.
    explicit ScoreTable(QString path = QString(), QObject* parent = nullptr);

    const QList<Entry>& entries() const { return entries_; }

    // Reads the file, writing the default one (ten blank names with 0) when there is none. A file that
    // cannot be read gives ten empty entries and is left as it is until the table changes.
    void load();
    // Rewrites the file from the ten entries; a failed save keeps the old file and reports it.
    bool save();

    // Whether a finished test's points enter the table: above zero and strictly above the tenth score.
    bool qualifies(int points);
    // Files the entry below every entry with an equal or higher score; the lowest of the eleven leaves.
    void insert(const QString& name, int points);
    void rename(int row, const QString& name);
    // Empty names and the score 0 in every row.
    void clear();

    // The ten entries from the file's lines, "name TAB score" each; lines past the tenth are ignored and
    // missing ones give empty entries. Each field is cut to kMaxFieldLength characters.
    static QList<Entry> parse(const QStringList& lines);
    // The text without TABs and line ends, which would break the file's one-entry-per-line form, and at
    // most kMaxFieldLength characters long.
    static QString cleanField(QString text);
    // The text's start that holds at most that many characters in at most that many UTF-16 units: cut
    // between two characters, never inside one (half an emoji would be saved as "?").
    static QString cutField(const QString& text, qsizetype characters = kMaxFieldLength,
                            qsizetype units = kMaxFieldUnits);

signals:
    // The entries changed: loaded, reloaded or edited.
    void changed();
    // The file could not be read or written; the message says what happened.
    void failed(const QString& message);

private:
    // What tells one version of the file from another.
    struct Stamp {
        qint64 inode = -1;
        qint64 size = -1;
        qint64 modified = -1;
        bool operator==(const Stamp&) const = default;
    };

    QString filePath() const;
    static Stamp stampOf(const QString& path);
    bool reloadIfChanged();
    void saveAndAnnounce();

    QString path_;
    QList<Entry> entries_;
    Stamp known_;
};
