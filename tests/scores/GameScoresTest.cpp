// The High Scores window: what it shows of the table, renaming in place, clearing, and its messages.
#include "framework/Services.h"
#include "scores/ScoresTestSupport.h"
#include "support/FileFaults.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

using namespace scores_testing;

class GameScoresTest : public ScoresTest {
protected:
    // Closes the window as its close box does; the next one reads the file anew.
    static void Reopen() {
        GameScores::instance().close();
        ProcessEvents();
        GameScores::instance();
    }
    // Starts editing the cell as a double-click does; the editor, if the cell can be edited.
    static QLineEdit* EditorOf(int row, int column) {
        fw::Listbox* list = GameScores::instance().HighScores;
        list->setCurrentCell(row, column);
        list->editItem(list->item(row, column));
        return list->findChild<QLineEdit*>();
    }
    // Pastes text over a name in place and presses Return to end the edit.
    static void RenameInPlace(int row, const QString& text) {
        auto* editor = EditorOf(row, 0);
        ASSERT_NE(editor, nullptr) << "no editor for row " << row;
        editor->selectAll();
        editor->insert(text);
        QTest::keyClick(editor, Qt::Key_Return);
        ProcessEvents();
    }
};

TEST_F(GameScoresTest, AFileThatCannotBeWrittenIsShownInAMessage) {
    {
        ScopedFileSizeLimit full(1);
        GameScores::instance();
    }
    EXPECT_EQ(Entries(), Zeros(" "));
    ASSERT_EQ(services->messages.size(), 1);
    EXPECT_TRUE(services->messages[0].startsWith("The high scores file could not be created"));
}

TEST_F(GameScoresTest, ClearAsksFirstAndOnlyOkClears) {
    WriteFile(Path(), ScoresFile(kTen));
    GameScores& scores = GameScores::instance();
    const QString before = BackdatedState();

    services->askAnswers = {fw::MsgBoxCancel};
    scores.ClearScores->click();
    ASSERT_EQ(services->asked.size(), 1u);
    EXPECT_EQ(services->asked[0].prompt, "Last chance - I'm going to clear the scores!");
    EXPECT_EQ(services->asked[0].code, 305);
    EXPECT_EQ(Entries(), kTen);
    EXPECT_EQ(State(), before);

    services->askAnswers = {fw::MsgBoxOK};
    scores.ClearScores->click();
    EXPECT_EQ(ScoresFile(Entries()), QByteArray("\t0\n").repeated(10));
    EXPECT_EQ(Stored(), QByteArray("\t0\n").repeated(10));
}

TEST_F(GameScoresTest, ARenameInPlaceIsFiledCleanAlongWithAnotherCopysEntry) {
    WriteFile(Path(), ScoresFile(kTen));
    GameScores::instance();
    // Another copy of the program files a score while this window is open.
    ScoreTable other;
    other.load();
    other.insert(QStringLiteral("Amy"), 180);
    RenameInPlace(2, QStringLiteral("Z\toe\r\n"));
    const QStringList expected = {"Ann", "200", "Amy", "180", "Bob", "150", "Zoe", "150", "Di",  "100",
                                  "Ed",  "95",  "Flo", "60",  "Gus", "50",  "Hal", "30",  "Ida", "20"};
    EXPECT_EQ(Entries(), expected);
    EXPECT_EQ(Stored(), ScoresFile(expected));
    // Scores are not edited in place.
    EXPECT_EQ(EditorOf(3, 1), nullptr);

    Reopen();
    EXPECT_EQ(Entries(), expected);
    EXPECT_TRUE(services->messages.isEmpty());
}

TEST_F(GameScoresTest, AllTenRowsAndBothColumnsShowWhole) {
    WriteFile(Path(), ScoresFile(kTen));
    GameScores& scores = GameScores::instance();
    fw::Present(&scores);
    ProcessEvents();
    fw::Listbox* table = scores.HighScores;
    const QRect viewport = table->viewport()->rect();
    const QHeaderView* header = table->horizontalHeader();
    EXPECT_EQ(header->sectionSize(0) + header->sectionSize(1), viewport.width());
    EXPECT_NEAR(header->sectionSize(0), 0.65 * viewport.width(), 1);
    const QFontMetrics metrics(table->font());
    for (int column = 0; column < 2; ++column) {
        const QRect tenth = table->visualRect(table->model()->index(9, column));
        EXPECT_TRUE(viewport.contains(tenth)) << column;
        EXPECT_EQ(table->item(9, column)->textAlignment(), Qt::AlignCenter) << column;
        EXPECT_GE(tenth.height(), metrics.height()) << column;
    }
    // Each score and the heading are drawn whole, within the margins of their cell.
    const int margin = 2 * (table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1);
    for (int row = 0; row < 10; ++row) {
        const QString score = table->Cell(row, 1);
        const int width = table->visualRect(table->model()->index(row, 1)).width() - margin;
        EXPECT_EQ(metrics.elidedText(score, Qt::ElideRight, width), score) << row;
    }
    const int headingMargin = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    EXPECT_LE(header->sectionViewportPosition(1) + header->sectionSize(1), header->viewport()->width());
    EXPECT_EQ(QFontMetrics(header->font())
                  .elidedText("Score", Qt::ElideRight, header->sectionSize(1) - headingMargin),
              "Score");
}
