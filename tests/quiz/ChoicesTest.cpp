// Drawing the five choices with a seeded generator, and the top-ten qualification.
#include "quiz/Module1.h"
#include "quiz/Window1.h"
#include "scores/GameScores.h"
#include "support/TestSupport.h"

#include <QSet>
#include <algorithm>

using namespace testing_support;

class ChoicesTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        UseStubScripts({});
        Module1::R = std::make_unique<QRandomGenerator>(12345);
    }
    Window1& WindowWithSongs(const QStringList& titles) {
        Window1& window = Window1::instance();
        window.iTunes->DeleteAllRows();
        for (const QString& title : titles)
            window.iTunes->AddRow(title);
        return window;
    }
    static QStringList BoxRows(Window1& window) {
        QStringList rows;
        for (int i = 0; i < window.ComboBox1->count(); ++i)
            rows << window.ComboBox1->itemText(i);
        return rows;
    }
};

TEST_F(ChoicesTest, TenDifferentTitlesGiveFiveDifferentChoicesInChangingOrder) {
    Window1& window = WindowWithSongs(
        {"Alpha", "Bravo", "Charlie", "Delta", "Echo", "Foxtrot", "Golf", "Hotel", "India", "Juliet"});
    QSet<int> placesOfTheAnswer;
    QSet<int> songsAsked;
    for (int draw = 0; draw < 200; ++draw) {
        window.HandleChoices();
        ASSERT_GE(Module1::M, 0);
        ASSERT_LT(Module1::M, 10);
        EXPECT_EQ(Module1::CorrectAnswer, window.iTunes->Cell(Module1::M, 0));
        const QStringList choices = Module1::ChoiceArray;
        ASSERT_EQ(choices.size(), 5);
        EXPECT_EQ(QSet<QString>(choices.begin(), choices.end()).size(), 5);
        EXPECT_TRUE(choices.contains(Module1::CorrectAnswer));
        EXPECT_EQ(BoxRows(window), choices); // the box lists exactly the five, in order
        placesOfTheAnswer.insert(int(choices.indexOf(Module1::CorrectAnswer)));
        songsAsked.insert(Module1::M);
    }
    EXPECT_EQ(placesOfTheAnswer.size(), 5); // the right answer is not always in one place
    EXPECT_EQ(songsAsked.size(), 10);
}

TEST_F(ChoicesTest, ASecondRowWithTheSameTitleCanStandTwiceAndBothAreRight) {
    // The list shows its first title after a blank; the choices and the judging leave it out.
    Window1& window = WindowWithSongs({" Twin", "Twin", "C", "D", "E", "F", "G", "H", "I", "J"});
    bool sawTwice = false;
    for (int draw = 0; draw < 500 && !sawTwice; ++draw) {
        window.HandleChoices();
        sawTwice = Module1::M == 0 && Module1::ChoiceArray.count("Twin") == 2;
    }
    ASSERT_TRUE(sawTwice);
    // The answer is judged by its text, so either entry is right.
    Module1::Question = 3;
    window.ComboBox1->setEditText("Twin");
    window.Enter_Action();
    EXPECT_EQ(Module1::Points, 10);
    EXPECT_EQ(window.Banner->text(), "Excellent!");
}

TEST_F(ChoicesTest, ADrawWithTooFewOtherTitlesStartsAgainWithAnotherSong) {
    // Seven rows carry one title; a draw on one of the three single rows finds only three other titles,
    // gives up after 1000 rejections and draws a new song.
    Window1& window =
        WindowWithSongs({" Same", "Same", "Same", "One", "Same", "Two", "Same", "Same", "Three", "Same"});
    for (int draw = 0; draw < 30; ++draw) {
        window.HandleChoices();
        EXPECT_EQ(Module1::CorrectAnswer, "Same");
        QStringList sorted = Module1::ChoiceArray;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, (QStringList{"One", "Same", "Same", "Three", "Two"}));
    }
}

TEST_F(ChoicesTest, ListsThatCanNeverGiveFiveChoicesAreRefusedWithoutHanging) {
    Window1& window = WindowWithSongs({" A", "B", "C", "A", "B", "C", "A", "B", "C", "A"});
    window.StartTest_Action();
    EXPECT_EQ(services->messages,
              QStringList{"There are not enough different song titles in this Playlist to play Zandolin!"});
    EXPECT_EQ(Module1::Question, 0);
    EXPECT_FALSE(window.Enter->isEnabled());
    EXPECT_TRUE(window.StartTest->isDefault());

    // Four titles of which some repeat can: a song titled A leaves A, B, C and D on the other rows.
    WindowWithSongs({"A", "B", "C", "D", "A", "B", "C", "D", "A", "B"});
    services->messages.clear();
    window.StartTest_Action();
    EXPECT_EQ(Module1::Question, 1);
    // A list replaced during the test by four single titles cannot.
    WindowWithSongs({"A", "B", "C", "D"});
    window.NextQuestion->setEnabled(true);
    window.NextQuestion_Action();
    EXPECT_EQ(Module1::Question, 1); // the test stays where it was
    EXPECT_EQ(services->messages.size(), 1);
}

TEST_F(ChoicesTest, AScoreQualifiesAgainstTheStoredTableOnlyWithPoints) {
    Window1& window = Window1::instance();
    WriteFile(ConfigFile("zandolinscores.txt"), QByteArray("Ann\t150\n").repeated(10));
    GameScores::instance().close();
    ProcessEvents();
    const std::pair<int, bool> cases[] = {{0, false}, {-20, false}, {150, false}, {151, true}};
    for (const auto& [points, qualifies] : cases) {
        Module1::Points = points;
        Module1::NewHighScoreFlag = !qualifies;
        window.CheckScore();
        EXPECT_EQ(Module1::NewHighScoreFlag, qualifies) << points;
        // Without points the table is not even looked at.
        EXPECT_EQ(fw::OpenInstance<GameScores>() != nullptr, points > 0) << points;
    }
}
