// The high-score table and its file (files read as they stand, ranked insertion, the score to beat, two
// copies of the program on one file), the High Scores window with its failures, and the name-entry window.
#include "quiz/Module1.h"
#include "quiz/Window1.h"
#include "scores/Congratulations.h"
#include "scores/GameScores.h"
#include "support/FileFaults.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <optional>

namespace {

using namespace testing_support;

const QStringList kTen = {"Ann", "200", "Bob", "150", "Cy",  "150", "Di",  "100", "Ed", "95",
                          "Flo", "60",  "Gus", "50",  "Hal", "30",  "Ida", "20",  "Jo", "7"};

// Lines "name TAB score" from alternating names and scores.
QByteArray ScoresFile(const QStringList& entries) {
    QByteArray bytes;
    for (qsizetype i = 0; i + 1 < entries.size(); i += 2)
        bytes += (entries[i] + QLatin1Char('\t') + entries[i + 1] + QLatin1Char('\n')).toUtf8();
    return bytes;
}

// What the High Scores window's list shows, as alternating names and scores.
QStringList Shown() {
    QStringList entries;
    const fw::Listbox* list = GameScores::instance().HighScores;
    for (int i = 0; i < list->ListCount(); ++i)
        entries << list->Cell(i, 0) << list->Cell(i, 1);
    return entries;
}

// Starts editing the cell as a double-click does; the editor, if the cell can be edited.
QLineEdit* EditorOf(int row, int column) {
    fw::Listbox* list = GameScores::instance().HighScores;
    list->setCurrentCell(row, column);
    list->editItem(list->item(row, column));
    return list->findChild<QLineEdit*>();
}

// A right answer to the last question ends the quiz's test with these points.
void FinishTest(int points) {
    Window1& quiz = Window1::instance();
    Module1::Points = points - 10;
    Module1::Question = 20;
    Module1::CorrectAnswer = QStringLiteral("Song");
    quiz.ComboBox1->setEditText(Module1::CorrectAnswer);
    quiz.Enter_Action();
    ASSERT_TRUE(Module1::NewHighScoreFlag);
    QCoreApplication::processEvents();
}

// Every test starts with kTen filed and the quiz on scripts that do nothing.
class ScoresTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        UseStubScripts({});
        WriteFile(Path(), ScoresFile(kTen));
    }
    QString Path() const { return ConfigFile(QStringLiteral("zandolinscores.txt")); }
    QByteArray Stored() const { return ReadFile(Path()).toUtf8(); }
    std::unique_ptr<ScoreTable> Loaded() {
        auto table = std::make_unique<ScoreTable>();
        table->load();
        return table;
    }
};

using CongratulationsTest = ScoresTest;

} // namespace

TEST_F(ScoresTest, FilesAreReadAsTheyStandAndRewrittenAsTenLines) {
    // Each file (none: missing) and the ten lines a save writes.
    const QByteArray sevenEmpty = QByteArray("\t\n").repeated(7);
    const std::pair<std::optional<QByteArray>, QByteArray> cases[] = {
        {std::nullopt, QByteArray(" \t0\n").repeated(10)},
        {"Ann\t30\r\nBob\t20\rCy\t10\n", "Ann\t30\nBob\t20\nCy\t10\n" + sevenEmpty},
        {"Ann 30\nBob\t20\textra\nCy\t007\n", "Ann 30\t\nBob\t20\nCy\t007\n" + sevenEmpty},
        {ScoresFile(kTen) + "Kim\t5\nLu\t3\n", ScoresFile(kTen)}};
    for (const auto& [file, saved] : cases) {
        SCOPED_TRACE(file.value_or("(none)").toStdString());
        QFile::remove(Path());
        if (file)
            WriteFile(Path(), *file);
        const auto table = Loaded();
        EXPECT_EQ(Stored(), file.value_or(saved));
        ASSERT_TRUE(table->save());
        EXPECT_EQ(Stored(), saved);
    }
}

TEST_F(ScoresTest, AnEntryRanksByNumberBelowEqualScoresAndTheLowestLeaves) {
    // Points and the row they end in; -1 when they stay out. 100 ranks above 95, though "100" < "95".
    const std::pair<int, int> cases[] = {{201, 0}, {200, 1}, {151, 1}, {150, 3}, {100, 4}, {96, 4},
                                         {95, 5},  {60, 6},  {50, 7},  {30, 8},  {8, 9},   {7, -1}};
    for (const auto& [points, row] : cases) {
        SCOPED_TRACE(points);
        WriteFile(Path(), ScoresFile(kTen));
        Loaded()->insert(QStringLiteral("New"), points);
        QStringList expected = kTen;
        if (row >= 0)
            expected = kTen.mid(0, 2 * row) + QStringList{"New", QString::number(points)} +
                       kTen.mid(2 * row, 18 - 2 * row);
        EXPECT_EQ(Stored(), ScoresFile(expected));
    }
    // A table edited out of order comes out wholly ordered; empty scores count as 0.
    WriteFile(Path(), "Lo\t5\nHi\t100\nMid\t50\nTop\t100\n");
    Loaded()->insert(QStringLiteral("New"), 50);
    EXPECT_EQ(Stored(), ScoresFile({"Hi", "100", "Top", "100", "Mid", "50", "New", "50", "Lo", "5"}) +
                            QByteArray("\t\n").repeated(5));
}

TEST_F(ScoresTest, OnlyPointsAboveTheTenthScoreQualify) {
    // The tenth score, and the points that just fail and just pass it (0: none, as 0 never qualifies). A
    // hand-edited score counts by the number at its start, after blanks.
    const std::tuple<const char*, int, int> cases[] = {
        {"0", 0, 1},      {"150", 150, 151},   {"-30", -20, 0}, {"abc", 0, 1}, {"", 0, 1},
        {"100", 99, 101}, {" 42 pts", 42, 43}, {"1.5x", 1, 2},  {"007", 7, 8}, {"1e3", 999, 1001},
        {"2e", 2, 3},     {".", 0, 1},         {"+1.", 1, 2}};
    for (const auto& [tenth, fails, passes] : cases) {
        SCOPED_TRACE(tenth);
        WriteFile(Path(), ScoresFile(kTen.mid(0, 18) << "Jo" << tenth));
        const auto table = Loaded();
        EXPECT_FALSE(table->qualifies(fails));
        EXPECT_EQ(table->qualifies(passes), passes > 0);
    }
}

TEST_F(ScoresTest, AFileThatCannotBeCreatedReadOrWrittenIsReportedAndKept) {
    // No file can be created: the window shows the default table.
    QFile::remove(Path());
    {
        ScopedFileSizeLimit full(1);
        GameScores::instance();
    }
    EXPECT_FALSE(QFile::exists(Path()));
    EXPECT_EQ(ScoresFile(Shown()), QByteArray(" \t0\n").repeated(10));
    GameScores::instance().close();
    // An unreadable file gives ten empty entries and stays as it is until the table changes.
    WriteFile(Path(), ScoresFile(kTen));
    QFile::setPermissions(Path(), QFileDevice::WriteOwner);
    {
        PermissionsBind bind;
        GameScores::instance();
    }
    QFile::setPermissions(Path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(ScoresFile(Shown()), QByteArray("\t0\n").repeated(10));
    EXPECT_EQ(Stored(), ScoresFile(kTen));
    ScoreTable& table = GameScores::instance().Table();
    table.rename(0, QStringLiteral("Max"));
    const QByteArray renamed = "Max\t0\n" + QByteArray("\t0\n").repeated(9);
    EXPECT_EQ(Stored(), renamed);
    // A failed save keeps the old file, and the window the new entry.
    {
        ScopedFileSizeLimit full(1);
        table.insert(QStringLiteral("Amy"), 170);
    }
    EXPECT_EQ(Stored(), renamed);
    EXPECT_EQ(Shown().mid(0, 4), QStringList({"Amy", "170", "Max", "0"}));
    ASSERT_EQ(services->messages.size(), 3);
    EXPECT_TRUE(services->messages[0].startsWith("The high scores file could not be created"));
    EXPECT_TRUE(services->messages[1].startsWith("The high scores could not be read"));
    EXPECT_TRUE(services->messages[2].startsWith("The high scores could not be saved"));
    EXPECT_TRUE(!services->messages[0].contains("previous") && services->messages[2].endsWith("is kept."));
}

TEST_F(ScoresTest, ClearAsksFirstAndOnlyOkClears) {
    GameScores& scores = GameScores::instance();
    services->askAnswers = {fw::MsgBoxCancel, fw::MsgBoxOK};
    scores.ClearScores->click();
    EXPECT_EQ(Stored(), ScoresFile(kTen));
    scores.ClearScores->click();
    EXPECT_EQ(ScoresFile(Shown()), QByteArray("\t0\n").repeated(10));
    EXPECT_EQ(Stored(), QByteArray("\t0\n").repeated(10));
    ASSERT_EQ(services->boxes.size(), 2u);
    EXPECT_EQ(services->boxes[0].text, "Last chance - I'm going to clear the scores!");
    EXPECT_EQ(services->boxes[0].buttons, (QStringList{"OK", "Cancel*"}));
}

TEST_F(ScoresTest, TwoCopiesOnOneFileKeepWhatTheOtherFiled) {
    GameScores::instance();
    // Another copy of the program files a score while this window is open; Cy moves down a row.
    ScoreTable other;
    other.load();
    other.insert(QStringLiteral("Amy"), 180);
    // Text pasted over Cy's name, ended with Return.
    QLineEdit* editor = EditorOf(2, 0);
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    editor->insert(QStringLiteral("Z\toe\r\n"));
    QTest::keyClick(editor, Qt::Key_Return);
    ProcessEvents();
    EXPECT_EQ(EditorOf(3, 1), nullptr); // scores are not edited in place
    other.insert(QStringLiteral("Ben"), 120);
    // The window judges against the table as filed, whose tenth score is now 30, and shows it.
    EXPECT_FALSE(GameScores::instance().Table().qualifies(25));
    const QStringList expected = {"Ann", "200", "Amy", "180", "Bob", "150", "Zoe", "150", "Ben", "120",
                                  "Di",  "100", "Ed",  "95",  "Flo", "60",  "Gus", "50",  "Hal", "30"};
    EXPECT_EQ(Shown(), expected);
    EXPECT_EQ(Stored(), ScoresFile(expected));
    // The next window reads the file anew.
    GameScores::instance().close();
    ProcessEvents();
    EXPECT_EQ(Shown(), expected);
}

TEST_F(ScoresTest, AllTenRowsShowWithEveryScoreWhole) {
    // Long names, cut to 200 characters where they are read, so that a name of tens of megabytes shows at
    // once, and where they are edited in place; never inside a character (an emoji, an accented letter).
    const QString smile = "\U0001F600", accented = "e\u0301", a199(199, QChar('a'));
    QStringList entries = kTen;
    entries[0] = QString(30'000'000, QChar('n'));
    entries[2] = smile.repeated(101);
    entries[4] = a199 + smile + "bc";
    entries[6] = accented.repeated(201);
    WriteFile(Path(), ScoresFile(entries));
    fw::Present(&GameScores::instance());
    ProcessEvents();
    entries[0].truncate(200);
    entries[4].chop(2);
    entries[6] = accented.repeated(200);
    EXPECT_EQ(Shown(), entries);
    // Pasted over the whole name, or at its start when it is full (nothing more goes in).
    const std::tuple<bool, QString, QString> pastes[] = {{true, QString(300, QChar('y')), QString(200, 'y')},
                                                         {true, smile.repeated(300), smile.repeated(200)},
                                                         {true, a199 + smile + smile, a199 + smile},
                                                         {false, smile, a199 + smile}};
    for (const auto& [whole, pasted, filed] : pastes) {
        QLineEdit* editor = EditorOf(0, 0);
        whole ? editor->selectAll() : editor->home(false);
        editor->insert(pasted);
        QTest::keyClick(editor, Qt::Key_Return);
        ProcessEvents();
        entries[0] = filed;
        EXPECT_EQ(QString::fromUtf8(Stored()), QString::fromUtf8(ScoresFile(entries))) << pasted.size();
    }
    fw::Listbox* table = GameScores::instance().HighScores;
    const QFontMetrics metrics(table->font());
    for (int column = 0; column < 2; ++column) {
        const QRect tenth = table->visualRect(table->model()->index(9, column));
        EXPECT_TRUE(table->viewport()->rect().contains(tenth)) << column;
        EXPECT_GE(tenth.height(), metrics.height()) << column;
        EXPECT_EQ(table->item(9, column)->textAlignment(), Qt::AlignCenter) << column;
    }
    const int margin = 2 * (table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1);
    for (int row = 0; row < 10; ++row)
        EXPECT_EQ(metrics.elidedText(table->Cell(row, 1), Qt::ElideRight, table->columnWidth(1) - margin),
                  table->Cell(row, 1));
}

TEST_F(CongratulationsTest, EnterIsTheDefaultOnlyWithANameYetAnEmptyNameIsFiled) {
    FinishTest(300);
    Congratulations& window = Congratulations::instance();
    QLineEdit* editor = window.NameField;
    // Letters of any script with their marks, and digits, up to ten characters; typed or pasted whole.
    const auto enter = [editor](const QString& text, bool pasted) {
        editor->clear();
        if (pasted)
            editor->insert(text);
        else
            for (const char32_t c : text.toUcs4())
                QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString::fromUcs4(&c, 1), {});
        return editor->text();
    };
    const QString ten = QString("e\u0301").repeated(10);
    for (const bool pasted : {false, true})
        for (const QString& name : QStringList{"नमस्ते", "Zoe\u0308", ten})
            EXPECT_EQ(enter(name, pasted), name) << pasted;
    EXPECT_EQ(enter(ten + "e", true) + enter("Zoë Li", true), "");
    EXPECT_EQ(enter("Al i-ce!ë12345678", false), "Aliceë1234");
    EXPECT_TRUE(window.Enter->isDefault());

    enter("", false);
    EXPECT_FALSE(window.Enter->isDefault());
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_TRUE(window.isVisible());

    QTest::mouseClick(window.Enter, Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(Shown().mid(0, 4), QStringList({"", "300", "Ann", "200"}));
    EXPECT_EQ(Stored(), ScoresFile(Shown()));
    EXPECT_TRUE(GameScores::instance().isVisible());
    EXPECT_EQ(GameScores::instance().x(), 10);
}

TEST_F(CongratulationsTest, OnlyEnterFilesAndItFilesTheFinishedTestsScore) {
    FinishTest(120);
    Congratulations& window = Congratulations::instance();
    window.NameField->setText(QStringLiteral("Max"));
    window.Enter->click();
    const QByteArray filed = ScoresFile(kTen.mid(0, 6) + QStringList({"Max", "120"}) + kTen.mid(6, 12));
    EXPECT_EQ(ScoresFile(Shown()), filed);
    // The next test shows the same window with the last name; its close box files nothing.
    FinishTest(130);
    EXPECT_EQ(&Congratulations::instance(), &window);
    EXPECT_EQ(window.NameField->text(), "Max");
    EXPECT_TRUE(window.Enter->isDefault());
    window.NameField->setText(QStringLiteral("Other"));
    window.close();
    ProcessEvents();
    // A new window offers the last name filed.
    FinishTest(140);
    EXPECT_EQ(Congratulations::instance().NameField->text(), "Max");
    // Enter files the finished test's score even after Quit Test and the next test's first answers.
    Window1::instance().Quit->click();
    Module1::Question = 3;
    Module1::Points = 20;
    Congratulations::instance().Enter->click();
    EXPECT_FALSE(Congratulations::instance().isVisible());
    EXPECT_FALSE(Module1::NewHighScoreFlag);
    const QStringList twice = kTen.mid(0, 6) + QStringList({"Max", "140", "Max", "120"}) + kTen.mid(6, 10);
    EXPECT_EQ(Stored(), ScoresFile(twice));
    EXPECT_EQ(ScoresFile(Shown()), ScoresFile(twice));
    // Nothing is left to file: pressing Enter again adds nothing.
    Congratulations::instance().Enter->click();
    EXPECT_EQ(Stored(), ScoresFile(twice));
    EXPECT_EQ(services->messages, QStringList());
}
