// The scores file as the high-score table reads it: any bytes give exactly ten rows whose fields hold no
// TAB or line end, and the rows saved as the table saves them read back unchanged.
#include "FuzzCheck.h"
#include "framework/TextFiles.h"
#include "scores/ScoreTable.h"

using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QStringList lines = fw::splitLines(fuzz::Text(data, size));
    const auto rows = ScoreTable::parse(lines);
    Check(rows.size() == 10, "ten rows");
    QByteArray saved;
    for (int i = 0; i < rows.size(); ++i) {
        const auto& [name, score] = rows[i];
        Check(ScoreTable::cleanField(name) == name && ScoreTable::cleanField(score) == score,
              "no TAB or line end in a field", name + QLatin1Char('|') + score);
        // The name is the line's start, and the score follows it after one TAB.
        const QString line = lines.value(i);
        Check(line.startsWith(name +
                              (line.contains(QLatin1Char('\t')) ? QStringLiteral("\t") + score : QString())),
              "the row is the line's start", line);
        saved += (name + QLatin1Char('\t') + score).toUtf8() + '\n';
    }
    Check(ScoreTable::parse(fw::splitLines(QString::fromUtf8(saved))) == rows, "a saved table reads back");
    return 0;
}
