#include "scores/GameScores.h"

#include "framework/FolderItem.h"
#include "framework/Services.h"
#include "framework/Text.h"

namespace {

constexpr fw::WindowSpec kWindow{"High Scores",        219, 257, fw::WindowSpec::Document,
                                 /*close*/ true,
                                 /*minimize*/ false,
                                 /*maximize*/ false,
                                 /*resizeable*/ false,
                                 /*visible*/ true};

// clang-format off
constexpr fw::ControlSpec kControls[] = {
//   name           kind                left top  width h    text            font      size bold   align           colour visible default tab options
    {"HighScores",  fw::Kind::Listbox,    20, 20,  179, 177, "",             "System", 0,  false, fw::AlignLeft,  "",    true,  false,  0, "columns=2;heading=Name|Score;widths=65% 35%;hscroll=0;vscroll=0"},
    {"ClearScores", fw::Kind::PushButton, 59, 217, 100, 20,  "Clear Scores", "System", 0,  true,  fw::AlignLeft,  "",    true,  false,  1},
};
// clang-format on

constexpr int kRows = 10;

fw::FolderItem ScoresFile() {
    return fw::FolderItem::Preferences().Child(QStringLiteral("zandolinscores.txt"));
}

QString Tab() {
    return fw::Chr(9);
}

} // namespace

QString GameScores::CleanField(QString text) {
    // A TAB or a line end inside a field would split the line and shift every entry after it.
    text.remove(QLatin1Char('\t'));
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    return text;
}

QList<QPair<QString, QString>> GameScores::ScoreRows(const QStringList& lines) {
    QList<QPair<QString, QString>> rows;
    for (int i = 0; i < kRows; ++i) {
        const QString line = lines.value(i);
        rows.append({fw::NthField(line, Tab(), 1), fw::NthField(line, Tab(), 2)});
    }
    return rows;
}

GameScores& GameScores::instance() {
    return fw::Instance<GameScores>();
}

GameScores::GameScores() : fw::Window(kWindow, kControls) {
    HighScores().CellTextChange = [this](int row, int column) { HighScores_CellTextChange(row, column); };
    ClearScores().Action = [this] { ClearScores_Action(); };
}

void GameScores::Event_Open() {
    HighScores().ColumnAlignment(0, fw::Listbox::AlignCenter);
    HighScores().ColumnAlignment(1, fw::Listbox::AlignCenter);
    HighScores().ColumnType(0, fw::Listbox::TypeEditable);
    getScoresPlist();
}

void GameScores::HighScores_CellTextChange(int row, int column) {
    fw::Listbox& list = HighScores();
    if (row >= 0 && row < list.ListCount() && column >= 0 && column < list.ColumnCount()) {
        const QString text = list.Cell(row, column);
        const QString clean = CleanField(text);
        if (clean != text)
            list.Cell(row, column, clean);
    }
    saveScoresPlist();
}

void GameScores::ClearScores_Action() {
    if (fw::MsgBox(QStringLiteral("Last chance - I'm going to clear the scores!"), 305, QString()) != 1)
        return;
    fw::Listbox& list = HighScores();
    for (int i = 0; i < kRows; ++i) {
        list.Cell(i, 0, QString());
        list.Cell(i, 1, QStringLiteral("0"));
    }
    saveScoresPlist();
}

void GameScores::getScoresPlist() {
    QStringList lines;
    QString problem;
    try {
        const fw::FolderItem file = ScoresFile();
        if (!file.Exists()) {
            for (int i = 0; i < kRows; ++i)
                lines << QStringLiteral(" ") + Tab() + QStringLiteral("0");
            try {
                file.WriteLines(lines);
            } catch (const fw::Error& e) {
                // The table still starts as the default one; the next change tries the file again.
                problem = QStringLiteral("The high scores file could not be created. %1").arg(e.Message());
            }
        }
        if (problem.isEmpty()) {
            auto in = file.OpenAsTextFile();
            lines.clear();
            for (int i = 0; i < kRows; ++i)
                lines << in->ReadLine();
            in->Close();
        }
    } catch (const fw::Error& e) {
        // An unreadable file is left as it is on disk until the table changes.
        problem = QStringLiteral("The high scores could not be read, so the table starts empty; the scores "
                                 "file is kept as it is until the table changes. %1")
                      .arg(e.Message());
        lines.clear();
        for (int i = 0; i < kRows; ++i)
            lines << Tab() + QStringLiteral("0");
    }
    // The rest of the program counts on exactly ten rows, whatever happened above.
    fw::Listbox& list = HighScores();
    for (const auto& [name, score] : ScoreRows(lines)) {
        list.AddRow(name);
        list.Cell(list.LastIndex(), 1, score);
    }
    if (!problem.isEmpty())
        fw::MsgBox(problem);
}

void GameScores::saveScoresPlist() {
    // The new file replaces the old one only once it is written whole, so a failed save loses nothing.
    try {
        const fw::Listbox& list = HighScores();
        QStringList lines;
        for (int i = 0; i < kRows; ++i)
            lines << CleanField(list.Cell(i, 0)) + Tab() + CleanField(list.Cell(i, 1));
        ScoresFile().WriteLines(lines);
    } catch (const fw::Error& e) {
        fw::MsgBox(QStringLiteral("The high scores could not be saved. %1").arg(e.Message()));
    }
}
