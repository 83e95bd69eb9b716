// A test through the real window, with stub scripts and timers fired by the test.
#include "app/Module1.h"
#include "quiz/Window1.h"
#include "scores/Congratulations.h"
#include "scores/GameScores.h"
#include "support/TestSupport.h"

#include <QUrl>

using namespace testing_support;

class QuestionFlowTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        UseStubScripts({{172, "printf 'Library,Rock'"}});
        Module1::R = std::make_unique<fw::Random>(99);
        window = &Window1::instance();
        Module1::Z = 2;
        SetSongs(10);
    }
    void SetSongs(int count) {
        window->iTunes().DeleteAllRows();
        for (int i = 0; i < count; ++i)
            window->iTunes().AddRow(QStringLiteral("Song %1").arg(i + 1));
    }
    void Answer(bool right) {
        window->ComboBox1().Text(right ? Module1::CorrectAnswer : QStringLiteral("Not this one"));
        window->Enter().Push();
    }
    // Answers all twenty questions, pressing Next Song in between.
    void PlayWholeTest(bool right) {
        window->StartTest().Push();
        for (int q = 1; q <= 20; ++q) {
            ASSERT_EQ(Module1::Question, q);
            Answer(right);
            if (q < 20)
                window->NextQuestion().Push();
        }
    }
    Window1* window = nullptr;
};

TEST_F(QuestionFlowTest, StartTestNeedsTenSongs) {
    SetSongs(9);
    window->StartTest().Push();
    EXPECT_EQ(services->messages,
              QStringList{"There are not enough songs in this Playlist to play Zandolin!"});
    EXPECT_EQ(Module1::Question, 0);
    EXPECT_FALSE(window->Timer4().IsRunning());

    SetSongs(10);
    window->StartTest().Push();
    EXPECT_EQ(Module1::Question, 1);
    EXPECT_EQ(window->QuestionNo().Text(), "1");
    EXPECT_TRUE(window->Enter().Default());
    EXPECT_TRUE(window->Enter().Enabled());
    EXPECT_FALSE(window->StartTest().Default());
    EXPECT_TRUE(window->MoreTime().Enabled());
    EXPECT_TRUE(window->ComboBox1().Enabled());
    EXPECT_FALSE(window->NextQuestion().Enabled());
    EXPECT_TRUE(window->Timer4().IsRunning());
    EXPECT_EQ(ScriptLog().last(), QStringLiteral("169 2 %1").arg(Module1::M + 1));
    EXPECT_EQ(window->ComboBox1().ListCount(), 5);
    EXPECT_EQ(window->ComboBox1().Text(), ""); // nothing is chosen for the player
}

TEST_F(QuestionFlowTest, AnEmptyAnswerIsWrongAndShowsTheRightTitle) {
    window->StartTest().Push();
    window->ComboBox1().Text(QString());
    window->Enter().Push();
    EXPECT_EQ(Module1::Points, -1);
    EXPECT_EQ(window->NPoints().Text(), "-1");
    EXPECT_EQ(window->Banner().Text(), "Nope!");
    EXPECT_TRUE(window->Banner().Visible());
    EXPECT_TRUE(window->Answer().Visible());
    EXPECT_EQ(window->Answer().Text(), Module1::CorrectAnswer);
    EXPECT_TRUE(window->Label().Visible());
    EXPECT_TRUE(window->NextQuestion().Default());
    EXPECT_FALSE(window->Enter().Enabled());
    EXPECT_FALSE(window->Timer3().IsRunning()); // no automatic advance after a wrong answer
    EXPECT_FALSE(window->Timer1().IsRunning());
    EXPECT_TRUE(ScriptLog().contains("170"));
    window->Timer2().FireNow();
    EXPECT_FALSE(window->Banner().Visible());
    EXPECT_TRUE(window->Answer().Visible()); // until Next Song
    window->NextQuestion().Push();
    EXPECT_FALSE(window->Answer().Visible());
    EXPECT_FALSE(window->Label().Visible());
    EXPECT_EQ(Module1::Question, 2);
}

TEST_F(QuestionFlowTest, ARightAnswerAdvancesByItselfOnce) {
    window->StartTest().Push();
    for (int q = 1; q < 5; ++q) {
        Answer(true);
        window->Timer3().FireNow(); // two seconds later
    }
    ASSERT_EQ(Module1::Question, 5);
    Answer(true);
    EXPECT_EQ(window->Banner().Text(), "Excellent!");
    EXPECT_EQ(Module1::Points, 50);
    EXPECT_TRUE(window->Timer3().IsRunning());
    window->NextQuestion().Push(); // the player is quicker than the timer
    EXPECT_EQ(Module1::Question, 6);
    window->Timer3().FireNow();
    EXPECT_EQ(Module1::Question, 6);
}

TEST_F(QuestionFlowTest, TheLastRightAnswerEndsTheTest) {
    PlayWholeTest(true);
    EXPECT_EQ(Module1::Points, 200);
    EXPECT_TRUE(window->TestOver().Visible());
    EXPECT_EQ(window->ComboBox1().Text(), "");
    EXPECT_FALSE(window->ComboBox1().Enabled());
    EXPECT_FALSE(window->NextQuestion().Enabled());
    EXPECT_TRUE(window->StartTest().Default());
    EXPECT_TRUE(window->MoreTime().Enabled());
    EXPECT_TRUE(Module1::NewHighScoreFlag);
    // The name-entry window comes up beside the main window, which goes on without waiting for it.
    Congratulations* entry = fw::OpenInstance<Congratulations>();
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->IsVisible());
    EXPECT_EQ(entry->Left(), 740);
    EXPECT_EQ(entry->Top(), 70);
    window->Timer3().FireNow();
    EXPECT_EQ(Module1::Question, 20); // no question 21
}

TEST_F(QuestionFlowTest, TheLastWrongAnswerIsClearedFiveSecondsLater) {
    PlayWholeTest(false);
    EXPECT_EQ(Module1::Points, -20);
    EXPECT_FALSE(Module1::NewHighScoreFlag);
    EXPECT_EQ(fw::OpenInstance<Congratulations>(), nullptr);
    EXPECT_TRUE(window->TestOver().Visible());
    EXPECT_TRUE(window->Answer().Visible());
    EXPECT_TRUE(window->ComboBox1().Enabled());
    ASSERT_TRUE(window->Timer1().IsRunning());
    window->Timer1().FireNow();
    EXPECT_FALSE(window->Answer().Visible());
    EXPECT_FALSE(window->Label().Visible());
    EXPECT_EQ(window->ComboBox1().Text(), "");
    EXPECT_FALSE(window->ComboBox1().Enabled());
}

TEST_F(QuestionFlowTest, QuitTestGoesBackToIdle) {
    window->StartTest().Push();
    Answer(false);
    window->Quit().Push();
    EXPECT_EQ(Module1::Points, 0);
    EXPECT_EQ(Module1::Question, 0);
    EXPECT_EQ(window->NPoints().Text(), "0");
    EXPECT_FALSE(window->Answer().Visible());
    EXPECT_FALSE(window->Label().Visible());
    EXPECT_FALSE(window->Banner().Visible());
    EXPECT_FALSE(window->Enter().Enabled());
    EXPECT_FALSE(window->NextQuestion().Enabled());
    EXPECT_FALSE(window->MoreTime().Enabled());
    EXPECT_FALSE(window->ComboBox1().Enabled());
    EXPECT_TRUE(window->StartTest().Default());
    EXPECT_FALSE(GameScores::instance().IsVisible());
    EXPECT_EQ(ScriptLog().last(), "170");
}

TEST_F(QuestionFlowTest, MoreTimeAndTheListeningTimer) {
    window->StartTest().Push();
    window->Timer4().FireNow(); // ten seconds are up
    EXPECT_EQ(ScriptLog().last(), "170");
    EXPECT_FALSE(window->Timer4().IsRunning());
    window->MoreTime().Push();
    EXPECT_EQ(ScriptLog().last(), "171");
    EXPECT_TRUE(window->Timer4().IsRunning());
    window->MoreTime().Push();
    EXPECT_EQ(ScriptLog().filter("171").size(), 2);
    EXPECT_EQ(Module1::Points, 0);
    EXPECT_EQ(Module1::Question, 1);
}

TEST_F(QuestionFlowTest, RestartingAndTheSupportButton) {
    window->StartTest().Push();
    Answer(true);
    window->NextQuestion().Push();
    window->StartTest().Push(); // restarts from question 1 with 0 points
    EXPECT_EQ(Module1::Question, 1);
    EXPECT_EQ(Module1::Points, 0);

    window->Kagi1().Push();
    ASSERT_EQ(services->urls.size(), 1);
    const QUrl page(services->urls[0]);
    EXPECT_EQ(page.scheme(), "https");
    EXPECT_EQ(page.path(), "/");
    EXPECT_TRUE(services->urls[0].endsWith("&lang=en"));
    EXPECT_TRUE(page.host().endsWith(".example"));
}
