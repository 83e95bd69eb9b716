// The scores file as the high-score table reads it: any bytes give exactly ten rows whose fields hold no
// TAB or line end, each field is the start of its own in the line, cut between two characters and only
// where it is too long, and the rows saved as the table saves them read back unchanged.
#include "FuzzCheck.h"
#include "framework/TextFiles.h"
#include "scores/ScoreTable.h"

#include <QTextBoundaryFinder>

using fuzz::Check;

namespace {

// Whether kept is what the table keeps of field: its start, ending between two characters, within the
// bounds, and either all of it or as much as the bounds allow. The characters are found in the whole field.
bool IsCutOf(const QString& kept, const QString& field) {
    if (!field.startsWith(kept))
        return false;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, field);
    int characters = 0;
    while (finder.position() < kept.size() && finder.toNextBoundary() >= 0)
        ++characters;
    if (finder.position() != kept.size() || characters > ScoreTable::kMaxFieldLength ||
        kept.size() > ScoreTable::kMaxFieldUnits)
        return false;
    return kept.size() == field.size() || characters == ScoreTable::kMaxFieldLength ||
           finder.toNextBoundary() > ScoreTable::kMaxFieldUnits;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QStringList lines = fw::splitLines(fuzz::Text(data, size));
    const auto rows = ScoreTable::parse(lines);
    Check(rows.size() == 10, "ten rows");
    QByteArray saved;
    for (int i = 0; i < rows.size(); ++i) {
        const auto& [name, score] = rows[i];
        Check(ScoreTable::cleanField(name) == name && ScoreTable::cleanField(score) == score,
              "no TAB or line end in a field", name + QLatin1Char('|') + score);
        // The name is the line's start up to its first TAB, and the score follows that TAB.
        const QString line = lines.value(i);
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        const QString afterTab = tab < 0 ? QString() : line.mid(tab + 1);
        Check(IsCutOf(name, tab < 0 ? line : line.left(tab)) &&
                  IsCutOf(score, afterTab.left(afterTab.indexOf(QLatin1Char('\t')))),
              "the row is the line's start", line);
        saved += (name + QLatin1Char('\t') + score).toUtf8() + '\n';
    }
    Check(ScoreTable::parse(fw::splitLines(QString::fromUtf8(saved))) == rows, "a saved table reads back");
    return 0;
}
