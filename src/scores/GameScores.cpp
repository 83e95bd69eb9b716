#include "scores/GameScores.h"

#include "framework/Services.h"

#include <QFontInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTextBoundaryFinder>
#include <QValidator>
#include <algorithm>

namespace {

using A = fw::Align;
using K = fw::Kind;

constexpr fw::WindowSpec kWindow{"High Scores",        219, 257, fw::WindowSpec::Document,
                                 /*close*/ true,
                                 /*minimize*/ false,
                                 /*maximize*/ false,
                                 /*resizeable*/ false,
                                 /*visible*/ true};

// clang-format off
constexpr fw::ControlSpec kControls[] = {
//   name           kind           left top  width h    text            font      size bold   align    colour visible default tab options
    {"HighScores",  K::Listbox,    20,  20,  179,  177, "",             "System", 0,   false, A::Left, "",    true,   false,  0,  {.columns = 2, .widths = {65, 35}, .heading = {"Name", "Score"}, .vscroll = false}},
    {"ClearScores", K::PushButton, 59,  217, 100,  20,  "Clear Scores", "System", 0,   true,  A::Left, "",    true,   false,  1},
};
// clang-format on

// The list's font shrinks no further: below this the names would be hard to read.
constexpr int kSmallestFont = 8;

qsizetype CharacterCount(const QString& text) {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype count = 0;
    while (finder.toNextBoundary() >= 0)
        ++count;
    return count;
}

// A name takes no more characters than the table keeps. What is typed or pasted is cut to the room left
// before the text after the cursor, as QLineEdit's maximum length cuts it, but between characters: that
// length counts UTF-16 units and would split an emoji in two.
class NameLength final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override {
        if (ScoreTable::cutField(input) == input)
            return Acceptable;
        const QString after = input.mid(pos);
        const QString before =
            ScoreTable::cutField(input.left(pos), ScoreTable::kMaxFieldLength - CharacterCount(after),
                                 ScoreTable::kMaxFieldUnits - after.size());
        input = ScoreTable::cutField(before + after);
        pos = int(std::min(before.size(), input.size()));
        return Acceptable;
    }
};

class NameEditing final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->setValidator(new NameLength(line));
        return editor;
    }
};

} // namespace

GameScores& GameScores::instance() {
    return fw::Instance<GameScores>();
}

GameScores::GameScores() : form_(this, kWindow, kControls) {
    fw::on(HighScores, &fw::Listbox::cellTextChanged, this, &GameScores::HighScores_CellTextChange);
    fw::on(ClearScores, &QPushButton::clicked, this, &GameScores::ClearScores_Action);
    connect(&table_, &ScoreTable::changed, this, &GameScores::ShowTable);
    connect(&table_, &ScoreTable::failed, this, [](const QString& message) { fw::MsgBox(message); });
    FitTenRows();
}

void GameScores::Event_Open() {
    HighScores->ColumnAlignment(0, Qt::AlignHCenter);
    HighScores->ColumnAlignment(1, Qt::AlignHCenter);
    HighScores->ColumnType(0, fw::Listbox::Type::Editable);
    HighScores->setItemDelegateForColumn(0, new NameEditing(HighScores));
    table_.load();
}

void GameScores::ShowTable() {
    fw::Listbox& list = *HighScores;
    const QList<ScoreTable::Entry>& entries = table_.entries();
    if (list.ListCount() != entries.size()) {
        list.DeleteAllRows();
        for (qsizetype i = 0; i < entries.size(); ++i)
            list.AddRow(QString());
    }
    for (int i = 0; i < entries.size(); ++i) {
        list.Cell(i, 0, entries[i].name);
        list.Cell(i, 1, entries[i].score);
    }
}

void GameScores::FitTenRows() {
    // All ten rows show under the heading without scrolling; where the font is too tall for that, the
    // list's font shrinks until a row holds its text.
    fw::Listbox* table = HighScores;
    const int height = table->height() - 2 * table->frameWidth();
    QFont font = table->font();
    int rowHeight = 0;
    for (int pixels = QFontInfo(font).pixelSize(); pixels >= kSmallestFont; --pixels) {
        font.setPixelSize(pixels);
        table->setFont(font);
        rowHeight = (height - table->horizontalHeader()->sizeHint().height()) / ScoreTable::kSize;
        // One pixel of each row is the grid line.
        if (QFontMetrics(font).height() + 1 <= rowHeight)
            break;
    }
    QHeaderView* rows = table->verticalHeader();
    rows->setMinimumSectionSize(rowHeight);
    rows->setDefaultSectionSize(rowHeight);
}

void GameScores::HighScores_CellTextChange(int row, int column) {
    // Only names are edited in place.
    if (column == 0)
        table_.rename(row, HighScores->Cell(row, 0));
}

void GameScores::ClearScores_Action() {
    if (fw::MsgBox(QStringLiteral("Last chance - I'm going to clear the scores!"), 305, QString()) == 1)
        table_.clear();
}
