// The name-entry window: the name field, Enter's default state and the entry filed in the table.
#include "scores/Congratulations.h"
#include "quiz/Module1.h"
#include "quiz/Window1.h"
#include "scores/ScoresTestSupport.h"

#include <QLineEdit>
#include <QTest>

using namespace scores_testing;

class CongratulationsTest : public ScoresTest {
protected:
    // The stored table loaded hidden, as at start-up, and a finished test with points.
    void Start(int points) {
        UseStubScripts({});
        WriteFile(Path(), ScoresFile(kTen));
        GameScores::instance().Hide();
        FinishTest(points);
    }
    // A right answer to the last question ends the test with these points.
    static void FinishTest(int points) {
        Window1& quiz = Window1::instance();
        Module1::Points = points - 10;
        Module1::Question = 20;
        Module1::CorrectAnswer = QStringLiteral("Song");
        quiz.ComboBox1().Text(Module1::CorrectAnswer);
        quiz.Enter_Action();
        ASSERT_TRUE(Module1::NewHighScoreFlag);
        ProcessEvents();
    }
    static void File(const QString& name) {
        Congratulations::instance().NameField().Text(name);
        Congratulations::instance().Enter().Push();
    }
};

TEST_F(CongratulationsTest, EnterIsTheDefaultOnlyWithANameYetAnEmptyNameIsFiled) {
    Start(300);
    Congratulations& window = Congratulations::instance();
    auto* editor = static_cast<QLineEdit*>(window.NameField().Widget());
    // Only letters of any script and digits are taken, up to ten.
    QTest::keyClicks(editor, "Al i-ce!");
    QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QStringLiteral("ë"), Qt::NoModifier);
    QTest::keyClicks(editor, "12345678");
    EXPECT_EQ(window.NameField().Text(), "Aliceë1234");
    EXPECT_TRUE(window.Enter().Default());

    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Backspace);
    EXPECT_FALSE(window.Enter().Default());
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_TRUE(window.IsVisible());

    QTest::mouseClick(window.Enter().Widget(), Qt::LeftButton);
    EXPECT_FALSE(window.IsVisible());
    EXPECT_EQ(Entries().mid(0, 4), QStringList({"", "300", "Ann", "200"}));
    EXPECT_EQ(Stored(), ScoresFile(Entries()));
    EXPECT_TRUE(GameScores::instance().IsVisible());
    EXPECT_EQ(GameScores::instance().Left(), 10);
}

TEST_F(CongratulationsTest, TheNextTestShowsTheSameWindowWithTheLastNameAndItsCloseBoxFilesNothing) {
    Start(120);
    Congratulations& window = Congratulations::instance();
    File(QStringLiteral("Max"));
    FinishTest(130);
    EXPECT_EQ(&Congratulations::instance(), &window);
    EXPECT_EQ(window.NameField().Text(), "Max");
    EXPECT_TRUE(window.Enter().Default());

    const QString before = BackdatedState();
    window.NameField().Text(QStringLiteral("Other"));
    window.Close();
    ProcessEvents();
    EXPECT_EQ(State(), before);
    EXPECT_EQ(Entries(), kTen.mid(0, 6) + QStringList({"Max", "120"}) + kTen.mid(6, 12));
    // A new window offers the last name filed.
    FinishTest(140);
    EXPECT_EQ(Congratulations::instance().NameField().Text(), "Max");
}

TEST_F(CongratulationsTest, ARunningTestsScoreIsNeverFiled) {
    Start(180);
    const QString before = BackdatedState();
    // The player is on the fifth question of the next test when Enter is pressed.
    Module1::Question = 5;
    Module1::Points = 40;
    File(QStringLiteral("Max"));
    EXPECT_FALSE(Congratulations::instance().IsVisible());
    EXPECT_EQ(State(), before);
    EXPECT_EQ(Entries(), kTen);
    EXPECT_FALSE(Module1::NewHighScoreFlag);
    EXPECT_EQ(services->messages.size(), 1);
}
