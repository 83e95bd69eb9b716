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
        GameScores::instance().hide();
        FinishTest(points);
    }
    // A right answer to the last question ends the test with these points.
    static void FinishTest(int points) {
        Window1& quiz = Window1::instance();
        Module1::Points = points - 10;
        Module1::Question = 20;
        Module1::CorrectAnswer = QStringLiteral("Song");
        quiz.ComboBox1->setEditText(Module1::CorrectAnswer);
        quiz.Enter_Action();
        ASSERT_TRUE(Module1::NewHighScoreFlag);
        ProcessEvents();
    }
    static void File(const QString& name) {
        Congratulations::instance().NameField->setText(name);
        Congratulations::instance().Enter->click();
    }
};

TEST_F(CongratulationsTest, EnterIsTheDefaultOnlyWithANameYetAnEmptyNameIsFiled) {
    Start(300);
    Congratulations& window = Congratulations::instance();
    QLineEdit* editor = window.NameField;
    // Only letters of any script and digits are taken, up to ten.
    QTest::keyClicks(editor, "Al i-ce!");
    QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QStringLiteral("ë"), Qt::NoModifier);
    QTest::keyClicks(editor, "12345678");
    EXPECT_EQ(window.NameField->text(), "Aliceë1234");
    EXPECT_TRUE(window.Enter->isDefault());

    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Backspace);
    EXPECT_FALSE(window.Enter->isDefault());
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_TRUE(window.isVisible());

    QTest::mouseClick(window.Enter, Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(Entries().mid(0, 4), QStringList({"", "300", "Ann", "200"}));
    EXPECT_EQ(Stored(), ScoresFile(Entries()));
    EXPECT_TRUE(GameScores::instance().isVisible());
    EXPECT_EQ(GameScores::instance().x(), 10);
}

TEST_F(CongratulationsTest, TheNextTestShowsTheSameWindowWithTheLastNameAndItsCloseBoxFilesNothing) {
    Start(120);
    Congratulations& window = Congratulations::instance();
    File(QStringLiteral("Max"));
    FinishTest(130);
    EXPECT_EQ(&Congratulations::instance(), &window);
    EXPECT_EQ(window.NameField->text(), "Max");
    EXPECT_TRUE(window.Enter->isDefault());

    const QString before = BackdatedState();
    window.NameField->setText(QStringLiteral("Other"));
    window.close();
    ProcessEvents();
    EXPECT_EQ(State(), before);
    EXPECT_EQ(Entries(), kTen.mid(0, 6) + QStringList({"Max", "120"}) + kTen.mid(6, 12));
    // A new window offers the last name filed.
    FinishTest(140);
    EXPECT_EQ(Congratulations::instance().NameField->text(), "Max");
}

TEST_F(CongratulationsTest, ARunningTestsScoreIsNeverFiled) {
    Start(180);
    const QString before = BackdatedState();
    // The player is on the last question but one of the next test when Enter is pressed.
    Module1::Question = 19;
    Module1::Points = 40;
    File(QStringLiteral("Max"));
    EXPECT_FALSE(Congratulations::instance().isVisible());
    EXPECT_EQ(State(), before);
    EXPECT_EQ(Entries(), kTen);
    EXPECT_FALSE(Module1::NewHighScoreFlag);
    EXPECT_EQ(services->messages.size(), 1);
}
