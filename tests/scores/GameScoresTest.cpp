// The High Scores window: loading and writing the scores file, renaming in place and clearing.
#include "scores/GameScores.h"
#include "framework/Text.h"
#include "scores/ScoresTestSupport.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <unistd.h>

using namespace testing_support;
using namespace scores_testing;

namespace {

const QStringList kTen = {"Ann", "200", "Bob", "150", "Cy",  "150", "Di",  "100", "Ed", "95",
                          "Flo", "60",  "Gus", "50",  "Hal", "30",  "Ida", "20",  "Jo", "7"};

QByteArray Repeated(const QByteArray& line, int times) {
    QByteArray bytes;
    for (int i = 0; i < times; ++i)
        bytes += line;
    return bytes;
}

} // namespace

class GameScoresTest : public ScoresTest {
protected:
    // Closes the window, as its close box does, and names it again: a new window reads the file.
    void Reopen() {
        GameScores::instance().Close();
        ProcessEvents();
        ASSERT_EQ(fw::OpenInstance<GameScores>(), nullptr);
        GameScores::instance();
        ProcessEvents();
    }

    // Starts editing a name in place, puts text into the editor as typing (or pasting) would, and
    // presses Return to end the edit.
    void RenameInPlace(int row, const QString& text, bool paste = false) {
        fw::Listbox& list = GameScores::instance().HighScores();
        list.EditCell(row, 0);
        auto* editor = list.Table()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr) << "no editor for row " << row;
        editor->selectAll();
        if (paste)
            editor->insert(text);
        else
            QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        ProcessEvents();
    }
};

TEST_F(GameScoresTest, FirstRunWritesTheDefaultFileAndListsTenBlankRows) {
    ASSERT_FALSE(QFile::exists(ScoresPath()));
    GameScores& scores = GameScores::instance();
    EXPECT_TRUE(scores.IsVisible());
    EXPECT_EQ(scores.Title(), "High Scores");
    EXPECT_EQ(scores.ClearScores().Caption(), "Clear Scores");

    EXPECT_EQ(ReadFile(ScoresPath()), QString::fromUtf8(Repeated(" \t0\n", 10)));
    EXPECT_EQ(Rows(), QStringList(10, QStringLiteral(" |0")));
    EXPECT_TRUE(services->messages.isEmpty());

    // Naming the window again reaches the same one; the file is not read twice.
    EXPECT_EQ(&GameScores::instance(), &scores);
    EXPECT_EQ(scores.HighScores().ListCount(), 10);
}

TEST_F(GameScoresTest, ClearAsksFirstAndOnlyOkClears) {
    WriteFile(ScoresPath(), ScoresFile(kTen));
    GameScores& scores = GameScores::instance();
    Backdate(ScoresPath());
    const QDateTime stamp = Modified(ScoresPath());

    services->askAnswers = {fw::MsgBoxCancel};
    scores.ClearScores().Push();
    ASSERT_EQ(services->asked.size(), 1u);
    EXPECT_EQ(services->asked[0].prompt, "Last chance - I'm going to clear the scores!");
    EXPECT_EQ(services->asked[0].code, 305);
    EXPECT_EQ(services->asked[0].title, "");
    EXPECT_EQ(Rows().first(), "Ann|200");
    EXPECT_EQ(ReadFile(ScoresPath()).toUtf8(), ScoresFile(kTen));
    EXPECT_EQ(Modified(ScoresPath()), stamp);

    services->askAnswers = {fw::MsgBoxOK};
    scores.ClearScores().Push();
    EXPECT_EQ(services->asked.size(), 2u);
    EXPECT_EQ(Rows(), QStringList(10, QStringLiteral("|0")));
    EXPECT_EQ(ReadFile(ScoresPath()), QString::fromUtf8(Repeated("\t0\n", 10)));

    // The cleared table comes back as it was left.
    Reopen();
    EXPECT_EQ(Rows(), QStringList(10, QStringLiteral("|0")));
    EXPECT_TRUE(services->messages.isEmpty());
}

TEST_F(GameScoresTest, ARenameInPlaceIsFiledCleanAndReadBackByANewWindow) {
    WriteFile(ScoresPath(), ScoresFile(kTen));
    GameScores::instance();
    ProcessEvents();

    RenameInPlace(2, QStringLiteral("Zoe"));
    EXPECT_EQ(Rows()[2], "Zoe|150");
    QStringList lines = ReadFile(ScoresPath()).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 11); // ten lines, each ended
    EXPECT_EQ(lines[2], "Zoe\t150");
    EXPECT_EQ(lines[0], "Ann\t200");

    // A pasted name with a TAB and line ends would split its line; they are dropped on the way.
    RenameInPlace(4, QStringLiteral("E\td\r\nE\r"), /*paste*/ true);
    EXPECT_EQ(Rows()[4], "EdE|95");
    lines = ReadFile(ScoresPath()).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 11);
    EXPECT_EQ(lines[4], "EdE\t95");
    EXPECT_EQ(lines[5], "Flo\t60");

    // The score column cannot be edited.
    fw::Listbox& list = GameScores::instance().HighScores();
    list.EditCell(3, 1);
    EXPECT_EQ(list.Table()->findChild<QLineEdit*>(), nullptr);

    Reopen();
    EXPECT_EQ(Rows()[2], "Zoe|150");
    EXPECT_EQ(Rows()[4], "EdE|95");
    EXPECT_EQ(Rows().size(), 10);
    EXPECT_TRUE(services->messages.isEmpty());
}

TEST_F(GameScoresTest, OddFilesAreReadAsTheyStandAndWrittenBackAsTenLines) {
    struct Case {
        const char* what;
        QByteArray file;
        QStringList rows; // the rows that differ from "|" (empty name and score)
        QByteArray saved; // the file after the next change
    };
    const QByteArray emptyLines = Repeated("\t\n", 7);
    const std::vector<Case> cases = {
        {"three lines",
         "Ann\t30\nBob\t20\nCy\t10\n",
         {"Ann|30", "Bob|20", "Cy|10"},
         "Ann\t30\nBob\t20\nCy\t10\n" + emptyLines},
        {"CRLF and CR ends",
         "Ann\t30\r\nBob\t20\rCy\t10\r\n",
         {"Ann|30", "Bob|20", "Cy|10"},
         "Ann\t30\nBob\t20\nCy\t10\n" + emptyLines},
        {"no TAB, two TABs, leading zeros",
         "Ann 30\nBob\t20\textra\nCy\t007\n",
         {"Ann 30|", "Bob|20", "Cy|007"},
         "Ann 30\t\nBob\t20\nCy\t007\n" + emptyLines},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFile(ScoresPath(), c.file);
        GameScores& scores = GameScores::instance();
        QStringList expected = c.rows;
        while (expected.size() < 10)
            expected << QStringLiteral("|");
        EXPECT_EQ(Rows(), expected);
        // The tenth score, as the end of a test reads it, counts as 0.
        EXPECT_EQ(fw::Val(scores.HighScores().Cell(9, 1)), 0.0);
        scores.HighScores_CellTextChange(0, 0);
        EXPECT_EQ(ReadFile(ScoresPath()).toUtf8(), c.saved);
        scores.Close();
        ProcessEvents();
    }

    // Twelve lines: the first ten are the table, and the next change leaves ten.
    QStringList twelve = kTen;
    twelve << "Kim"
           << "5"
           << "Lu"
           << "3";
    WriteFile(ScoresPath(), ScoresFile(twelve));
    GameScores& scores = GameScores::instance();
    EXPECT_EQ(Rows().size(), 10);
    EXPECT_EQ(Rows().last(), "Jo|7");
    scores.HighScores_CellTextChange(0, 0);
    EXPECT_EQ(ReadFile(ScoresPath()).toUtf8(), ScoresFile(kTen));
    EXPECT_TRUE(services->messages.isEmpty());
}

TEST_F(GameScoresTest, AnUnreadableFileGivesTenEmptyRowsAndSaysSo) {
    // A folder where the file should be cannot be read, whoever runs the test.
    QDir().mkpath(ScoresPath());
    GameScores& scores = GameScores::instance();
    EXPECT_EQ(Rows(), QStringList(10, QStringLiteral("|0")));
    ASSERT_EQ(services->messages.size(), 1);
    EXPECT_TRUE(services->messages[0].startsWith("The high scores could not be read"))
        << services->messages[0].toStdString();
    EXPECT_TRUE(QFileInfo(ScoresPath()).isDir());
    // A change cannot replace it either, and says so; the table keeps its ten rows.
    services->askAnswers = {fw::MsgBoxOK};
    scores.ClearScores().Push();
    ASSERT_EQ(services->messages.size(), 2);
    EXPECT_TRUE(services->messages[1].startsWith("The high scores could not be saved"));
    EXPECT_EQ(scores.HighScores().ListCount(), 10);
    EXPECT_TRUE(QFileInfo(ScoresPath()).isDir());
}

TEST_F(GameScoresTest, AFileWithoutReadPermissionIsLeftAloneUntilTheTableChanges) {
    if (geteuid() == 0)
        GTEST_SKIP() << "read permissions do not bind root";
    WriteFile(ScoresPath(), ScoresFile(kTen));
    QFile::setPermissions(ScoresPath(), QFileDevice::WriteOwner);
    GameScores& scores = GameScores::instance();
    EXPECT_EQ(Rows(), QStringList(10, QStringLiteral("|0")));
    ASSERT_EQ(services->messages.size(), 1);
    EXPECT_TRUE(services->messages[0].startsWith("The high scores could not be read"));
    QFile::setPermissions(ScoresPath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(ReadFile(ScoresPath()).toUtf8(), ScoresFile(kTen));

    scores.HighScores().Cell(0, 0, QStringLiteral("Max"));
    scores.HighScores_CellTextChange(0, 0);
    EXPECT_EQ(ReadFile(ScoresPath()).toUtf8(), "Max\t0\n" + Repeated("\t0\n", 9));
}

TEST_F(GameScoresTest, ASaveIntoAReadOnlyFolderKeepsTheOldFileAndSaysSo) {
    WriteFile(ScoresPath(), ScoresFile(kTen));
    GameScores& scores = GameScores::instance();
    ProcessEvents();
    {
        WritesRefused refused(ConfigDir());
        RenameInPlace(0, QStringLiteral("Max"));
    }
    EXPECT_EQ(ReadFile(ScoresPath()).toUtf8(), ScoresFile(kTen));
    ASSERT_EQ(services->messages.size(), 1);
    EXPECT_TRUE(services->messages[0].startsWith("The high scores could not be saved"));
    EXPECT_EQ(Rows()[0], "Max|200");
    EXPECT_EQ(QDir(ConfigDir()).entryList(QDir::Files), QStringList{"zandolinscores.txt"});

    // The next change, with the folder writable again, files the whole table.
    scores.HighScores_CellTextChange(0, 0);
    EXPECT_TRUE(ReadFile(ScoresPath()).startsWith("Max\t200\nBob\t150\n"));
    EXPECT_EQ(services->messages.size(), 1);

    // A first run that cannot write the default file still gets the default table, and hears why.
    scores.Close();
    ProcessEvents();
    QFile::remove(ScoresPath());
    {
        WritesRefused refused(ConfigDir());
        GameScores::instance();
    }
    EXPECT_EQ(Rows(), QStringList(10, QStringLiteral(" |0")));
    ASSERT_EQ(services->messages.size(), 2);
    EXPECT_TRUE(services->messages[1].startsWith("The high scores file could not be created"));
    EXPECT_FALSE(QFile::exists(ScoresPath()));
}
