// The name-entry window: the name field, Enter's default state and the ranked insertion.
#include "scores/Congratulations.h"
#include "app/Module1.h"
#include "scores/GameScores.h"
#include "scores/ScoresTestSupport.h"
#include "support/TestSupport.h"

#include <QLineEdit>
#include <QTest>

using namespace testing_support;
using namespace scores_testing;

class CongratulationsTest : public ScoresTest {
protected:
    // A stored table, loaded as at start-up, and a finished test with points, as the main window
    // leaves them before it shows the name-entry window.
    void Start(const QStringList& entries, int points) {
        WriteFile(ScoresPath(), ScoresFile(entries));
        GameScores::instance().Hide();
        FinishTest(points);
    }
    void FinishTest(int points) {
        Module1::Points = points;
        Module1::Question = 20;
        Module1::NewHighScoreFlag = true;
        Congratulations& window = Congratulations::instance();
        window.Top(70);
        window.Left(740);
        window.Show();
        ProcessEvents();
    }
    static QLineEdit* Editor() {
        return static_cast<QLineEdit*>(Congratulations::instance().NameField().Widget());
    }
    // Enters name as typed and presses Enter.
    static void File(const QString& name) {
        Congratulations& window = Congratulations::instance();
        window.NameField().Text(name);
        window.Enter().Push();
    }
    QString ScoresText() const { return ReadFile(ScoresPath()); }
};

namespace {
const QStringList kStored = {"Ann", "200", "Bob", "150", "Cy",  "150", "Di",  "100", "Ed", "95",
                             "Flo", "60",  "Gus", "50",  "Hal", "30",  "Ida", "20",  "Jo", "007"};
}

TEST_F(CongratulationsTest, TheNameFieldTakesTenLettersOrDigitsAndReturnFollowsIt) {
    Start(kStored, 120);
    Congratulations& window = Congratulations::instance();
    EXPECT_EQ(window.Title(), "Congratulations!");
    EXPECT_EQ(window.StaticText1().Text(), "Congratulations!  Your score is in the top ten.");
    EXPECT_EQ(window.StaticText2().Text(), "Name:");
    EXPECT_EQ(window.NameField().Text(), "");
    EXPECT_FALSE(window.Enter().Default());
    EXPECT_EQ(window.DefaultButton(), nullptr);

    // Return with the field empty presses nothing.
    QLineEdit* editor = Editor();
    editor->setFocus();
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(GameScores::instance().HighScores().Cell(3, 0), "Di");
    EXPECT_TRUE(Module1::NewHighScoreFlag);

    // Blanks, punctuation and TABs are not taken; letters of any script and digits are, up to ten.
    QTest::keyClicks(editor, "Al i-ce\t!");
    EXPECT_EQ(window.NameField().Text(), "Alice");
    EXPECT_TRUE(window.Enter().Default());
    QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QStringLiteral("ë"), Qt::NoModifier);
    QTest::keyClicks(editor, "12345678");
    EXPECT_EQ(window.NameField().Text(), "Aliceë1234");

    // Deleting the last character takes the default away again.
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(editor, Qt::Key_Backspace);
    EXPECT_EQ(window.NameField().Text(), "");
    EXPECT_FALSE(window.Enter().Default());

    QTest::keyClicks(editor, "Max7");
    QTest::keyClick(editor, Qt::Key_Return);
    ProcessEvents();
    EXPECT_FALSE(window.IsVisible());
    EXPECT_EQ(Module1::Name, "Max7");
    EXPECT_EQ(GameScores::instance().HighScores().Cell(3, 0), "Max7");
    EXPECT_EQ(GameScores::instance().HighScores().Cell(3, 1), "120");
}

TEST_F(CongratulationsTest, EntriesRankByNumericScoreBelowEqualOnes) {
    // Equal to stored scores: directly below the last of them; the former tenth row is dropped.
    Start(kStored, 150);
    File(QStringLiteral("New"));
    EXPECT_EQ(Rows(), (QStringList{"Ann|200", "Bob|150", "Cy|150", "New|150", "Di|100", "Ed|95", "Flo|60",
                                   "Gus|50", "Hal|30", "Ida|20"}));
    EXPECT_EQ(ScoresText().toUtf8(),
              ScoresFile({"Ann", "200", "Bob", "150", "Cy",  "150", "New", "150", "Di",  "100",
                          "Ed",  "95",  "Flo", "60",  "Gus", "50",  "Hal", "30",  "Ida", "20"}));
    EXPECT_FALSE(Module1::NewHighScoreFlag);
    GameScores& scores = GameScores::instance();
    EXPECT_TRUE(scores.IsVisible());
    EXPECT_EQ(scores.Left(), 10);

    // Numbers, not texts: 100 ranks above 95, though the text "100" sorts before "95".
    FinishTest(100);
    File(QStringLiteral("Hun"));
    EXPECT_EQ(Rows(), (QStringList{"Ann|200", "Bob|150", "Cy|150", "New|150", "Di|100", "Hun|100", "Ed|95",
                                   "Flo|60", "Gus|50", "Hal|30"}));

    // Above every stored score: row 0.
    FinishTest(201);
    File(QStringLiteral("Top"));
    EXPECT_EQ(Rows().first(), "Top|201");
    EXPECT_EQ(Rows().last(), "Gus|50");
    EXPECT_EQ(ScoresText().split('\n').size(), 11);
    EXPECT_TRUE(services->messages.isEmpty());
}

TEST_F(CongratulationsTest, LeadingZerosAndAnOutOfOrderTableSortWhole) {
    // A hand-edited file: out of order and with "007", which counts as 7 and is written back as is.
    Start({"Ann", "5", "Bob", "007", "Cy",  "40", "Di",  "",  "Ed", "12",
           "Flo", "3", "Gus", "90",  "Hal", "1",  "Ida", "2", "Jo", "4"},
          8);
    File(QStringLiteral("Kit"));
    EXPECT_EQ(Rows(), (QStringList{"Gus|90", "Cy|40", "Ed|12", "Kit|8", "Bob|007", "Ann|5", "Jo|4", "Flo|3",
                                   "Ida|2", "Hal|1"}));
    EXPECT_TRUE(ScoresText().contains("Bob\t007\n"));
    EXPECT_FALSE(ScoresText().contains("Di\t"));
}

TEST_F(CongratulationsTest, AnEmptyNameIsFiledAndTheSameWindowComesBackWithTheLastName) {
    Start(kStored, 300);
    Congratulations& window = Congratulations::instance();
    window.Enter().Push();
    EXPECT_EQ(Rows().first(), "|300");
    EXPECT_TRUE(ScoresText().startsWith("\t300\nAnn\t200\n"));
    EXPECT_TRUE(GameScores::instance().IsVisible());
    EXPECT_EQ(GameScores::instance().Left(), 10);
    EXPECT_EQ(GameScores::instance().HighScores().ListCount(), 10);

    // The next qualifying test of the run shows the same window; Enter files the typed name, and the
    // test after that offers it again.
    FinishTest(250);
    EXPECT_EQ(&Congratulations::instance(), &window);
    EXPECT_TRUE(window.IsVisible());
    EXPECT_EQ(window.NameField().Text(), "");
    EXPECT_FALSE(window.Enter().Default());
    File(QStringLiteral("Max"));
    EXPECT_EQ(Rows()[1], "Max|250");
    FinishTest(240);
    EXPECT_EQ(&Congratulations::instance(), &window);
    EXPECT_TRUE(window.IsVisible());
    EXPECT_EQ(window.Left(), 740);
    EXPECT_EQ(window.Top(), 70);
    EXPECT_EQ(window.NameField().Text(), "Max");
    EXPECT_TRUE(window.Enter().Default());
}

TEST_F(CongratulationsTest, TheCloseBoxFilesNothingAndANewWindowOffersTheLastName) {
    Start(kStored, 120);
    File(QStringLiteral("Max"));
    Backdate(ScoresPath());
    const QByteArray before = ScoresText().toUtf8();
    const QDateTime stamp = Modified(ScoresPath());

    FinishTest(130);
    Congratulations::instance().NameField().Text(QStringLiteral("Other"));
    Congratulations::instance().Close();
    ProcessEvents();
    EXPECT_EQ(fw::OpenInstance<Congratulations>(), nullptr);
    EXPECT_EQ(ScoresText().toUtf8(), before);
    EXPECT_EQ(Modified(ScoresPath()), stamp);
    EXPECT_EQ(GameScores::instance().HighScores().ListCount(), 10);
    EXPECT_TRUE(Module1::NewHighScoreFlag);

    FinishTest(140);
    Congratulations& fresh = Congratulations::instance();
    EXPECT_EQ(fresh.NameField().Text(), "Max");
    EXPECT_TRUE(fresh.Enter().Default());
}

TEST_F(CongratulationsTest, ARunningTestsScoreIsNeverFiled) {
    Start(kStored, 180);
    const QByteArray before = ScoresText().toUtf8();
    // The player starts the next test and is on its fifth question with 40 points when Enter is pressed.
    Module1::Question = 5;
    Module1::Points = 40;
    File(QStringLiteral("Max"));
    EXPECT_FALSE(Congratulations::instance().IsVisible());
    EXPECT_EQ(ScoresText().toUtf8(), before);
    EXPECT_EQ(Rows()[5], "Flo|60");
    EXPECT_FALSE(Module1::NewHighScoreFlag);
    EXPECT_EQ(Module1::Name, "Max");
    ASSERT_EQ(services->messages.size(), 1);
}

TEST_F(CongratulationsTest, AFailedSaveKeepsTheOldFileAndTenRows) {
    Start(kStored, 170);
    const QByteArray before = ScoresText().toUtf8();
    {
        WritesRefused refused(ConfigDir());
        File(QStringLiteral("Max"));
    }
    EXPECT_EQ(ScoresText().toUtf8(), before);
    ASSERT_EQ(services->messages.size(), 1);
    EXPECT_TRUE(services->messages[0].startsWith("The high scores could not be saved"));
    EXPECT_EQ(GameScores::instance().HighScores().ListCount(), 10);
    EXPECT_EQ(Rows()[1], "Max|170");
    EXPECT_FALSE(Module1::NewHighScoreFlag);
}
