#include "scores/GameScores.h"

#include "framework/FolderItem.h"
#include "framework/Text.h"

namespace {

constexpr fw::WindowSpec kWindow{"High Scores",
                                 219,
                                 257,
                                 fw::WindowSpec::Document,
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

} // namespace

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

void GameScores::HighScores_CellTextChange(int, int) {
    saveScoresPlist();
}

void GameScores::ClearScores_Action() {}

void GameScores::getScoresPlist() {
    for (int i = 0; i < 10; ++i) {
        HighScores().AddRow(QStringLiteral(" "));
        HighScores().Cell(i, 1, QStringLiteral("0"));
    }
}

void GameScores::saveScoresPlist() {}
