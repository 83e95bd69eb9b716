// The High Scores window: the scores file read and written, renaming in place and clearing.
#include "framework/Services.h"
#include "scores/ScoresTestSupport.h"
#include "support/FileFaults.h"

#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

using namespace scores_testing;

class GameScoresTest : public ScoresTest {
protected:
    // Closes the window as its close box does; the next one reads the file anew.
    static void Reopen() {
        GameScores::instance().Close();
        ProcessEvents();
        GameScores::instance();
    }
    // Pastes text over a name in place and presses Return to end the edit.
    static void RenameInPlace(int row, const QString& text) {
        fw::Listbox& list = GameScores::instance().HighScores();
        list.EditCell(row, 0);
        auto* editor = list.Table()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr) << "no editor for row " << row;
        editor->selectAll();
        editor->insert(text);
        QTest::keyClick(editor, Qt::Key_Return);
        ProcessEvents();
    }
};

TEST_F(GameScoresTest, FirstRunWritesTheDefaultFileAndListsTenBlankRows) {
    const QByteArray blank = QByteArray(" \t0\n").repeated(10);
    // A default file that cannot be written still gives the default table, and says why.
    {
        ScopedFileSizeLimit full(1);
        GameScores::instance();
    }
    EXPECT_EQ(ScoresFile(Entries()), blank);
    ASSERT_EQ(services->messages.size(), 1);
    EXPECT_TRUE(services->messages[0].startsWith("The high scores file could not be created"));
    EXPECT_FALSE(QFile::exists(Path()));

    Reopen();
    EXPECT_EQ(Stored(), blank);
    EXPECT_EQ(services->messages.size(), 1);
}

TEST_F(GameScoresTest, ClearAsksFirstAndOnlyOkClears) {
    WriteFile(Path(), ScoresFile(kTen));
    GameScores& scores = GameScores::instance();
    const QString before = BackdatedState();

    services->askAnswers = {fw::MsgBoxCancel};
    scores.ClearScores().Push();
    ASSERT_EQ(services->asked.size(), 1u);
    EXPECT_EQ(services->asked[0].prompt, "Last chance - I'm going to clear the scores!");
    EXPECT_EQ(services->asked[0].code, 305);
    EXPECT_EQ(Entries(), kTen);
    EXPECT_EQ(State(), before);

    services->askAnswers = {fw::MsgBoxOK};
    scores.ClearScores().Push();
    EXPECT_EQ(ScoresFile(Entries()), QByteArray("\t0\n").repeated(10));
    EXPECT_EQ(Stored(), QByteArray("\t0\n").repeated(10));
}

TEST_F(GameScoresTest, ARenameInPlaceIsFiledCleanAndReadBackByANewWindow) {
    WriteFile(Path(), ScoresFile(kTen));
    GameScores::instance();
    RenameInPlace(2, QStringLiteral("Zoe"));
    // A TAB or a line end would split the line and shift every entry after it.
    RenameInPlace(4, QStringLiteral("E\td\r\nE\r"));
    QStringList renamed = kTen;
    renamed[4] = QStringLiteral("Zoe");
    renamed[8] = QStringLiteral("EdE");
    EXPECT_EQ(Stored(), ScoresFile(renamed));
    // Scores are not edited in place.
    GameScores::instance().HighScores().EditCell(3, 1);
    EXPECT_EQ(GameScores::instance().HighScores().Table()->findChild<QLineEdit*>(), nullptr);

    Reopen();
    EXPECT_EQ(Entries(), renamed);
    EXPECT_TRUE(services->messages.isEmpty());
}

TEST_F(GameScoresTest, OddFilesAreReadAsTheyStandAndWrittenBackAsTenLines) {
    // Each file and the names and scores of its first rows; the rest are empty.
    const std::pair<QByteArray, QStringList> cases[] = {
        {"Ann\t30\r\nBob\t20\rCy\t10\n", {"Ann", "30", "Bob", "20", "Cy", "10"}},
        {"Ann 30\nBob\t20\textra\nCy\t007\n", {"Ann 30", "", "Bob", "20", "Cy", "007"}},
        {ScoresFile(kTen) + "Kim\t5\nLu\t3\n", kTen},
    };
    for (const auto& [file, entries] : cases) {
        SCOPED_TRACE(file.toStdString());
        WriteFile(Path(), file);
        QStringList expected = entries;
        while (expected.size() < 20)
            expected << QString();
        EXPECT_EQ(Entries(), expected);
        GameScores::instance().HighScores_CellTextChange(0, 0);
        EXPECT_EQ(Stored(), ScoresFile(expected));
        GameScores::instance().Close();
        ProcessEvents();
    }
    EXPECT_TRUE(services->messages.isEmpty());
}

TEST_F(GameScoresTest, AnUnreadableFileGivesTenEmptyRowsAndIsKeptUntilTheTableChanges) {
    WriteFile(Path(), ScoresFile(kTen));
    QFile::setPermissions(Path(), QFileDevice::WriteOwner);
    {
        PermissionsBind bind;
        GameScores::instance();
    }
    EXPECT_EQ(ScoresFile(Entries()), QByteArray("\t0\n").repeated(10));
    ASSERT_EQ(services->messages.size(), 1);
    EXPECT_TRUE(services->messages[0].startsWith("The high scores could not be read"));
    QFile::setPermissions(Path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(Stored(), ScoresFile(kTen));

    RenameInPlace(0, QStringLiteral("Max"));
    EXPECT_EQ(Stored(), "Max\t0\n" + QByteArray("\t0\n").repeated(9));
}
