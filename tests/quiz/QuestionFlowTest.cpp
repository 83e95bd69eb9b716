// A test through the real window, with stub scripts and timers fired by the test.
#include "quiz/Module1.h"
#include "quiz/Window1.h"
#include "scores/Congratulations.h"
#include "support/TestSupport.h"

#include <QPoint>
#include <QScreen>
#include <QUrl>
#include <QWidget>
#include <functional>

using namespace testing_support;
using Phase = Window1::Phase;

class QuestionFlowTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        UseStubScripts({{172, "printf 'Library,Rock'"}});
        Module1::R = std::make_unique<QRandomGenerator>(99);
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
    void PlayWholeTest(bool right) {
        window->StartTest().Push();
        for (int q = 1; q <= 20; ++q) {
            Answer(right);
            if (q < 20)
                window->NextQuestion().Push();
        }
    }
    // The periods of every timer still running end, shortest first.
    void LetPendingTimersRun() {
        for (fw::Timer* timer : {&window->Timer3(), &window->Timer2(), &window->Timer1(), &window->Timer4()})
            if (timer->IsRunning())
                timer->FireNow();
    }
    bool AnyTimerRuns() const {
        return window->Timer1().IsRunning() || window->Timer2().IsRunning() || window->Timer3().IsRunning() ||
               window->Timer4().IsRunning();
    }
    // The buttons and the choice box: "*" enabled and the default button, "+" enabled, "-" disabled.
    QString Controls() const {
        auto mark = [](const fw::Control& c, bool isDefault) {
            return isDefault ? "*" : c.Enabled() ? "+" : "-";
        };
        return QStringLiteral("start%1 enter%2 next%3 more%4 box%5")
            .arg(mark(window->StartTest(), window->StartTest().Default()))
            .arg(mark(window->Enter(), window->Enter().Default()))
            .arg(mark(window->NextQuestion(), window->NextQuestion().Default()))
            .arg(mark(window->MoreTime(), false))
            .arg(mark(window->ComboBox1(), false));
    }
    // The same, as each phase should have them (written out apart from the window's own table).
    static QString ControlsIn(Phase phase) {
        return phase == Phase::Idle        ? "start* enter- next- more- box-"
               : phase == Phase::Listening ? "start+ enter* next- more+ box+"
               : phase == Phase::TestOver  ? "start* enter- next- more+ box-"
                                           : "start+ enter- next* more+ box+"; // answered right or wrong
    }
    Window1* window = nullptr;
};

TEST_F(QuestionFlowTest, StartTestNeedsTenSongsThenListens) {
    EXPECT_EQ(Controls(), ControlsIn(Phase::Idle));
    SetSongs(9);
    window->StartTest().Push();
    EXPECT_EQ(services->messages,
              QStringList{"There are not enough songs in this Playlist to play Zandolin!"});
    EXPECT_EQ(Module1::Question, 0);

    SetSongs(10);
    window->StartTest().Push();
    EXPECT_EQ(Module1::Question, 1);
    EXPECT_EQ(window->QuestionNo().Text(), "1");
    EXPECT_EQ(Controls(), ControlsIn(Phase::Listening));
    EXPECT_TRUE(window->Timer4().IsRunning());
    EXPECT_EQ(ScriptLog().last(), QStringLiteral("169 2 %1").arg(Module1::M + 1));
    EXPECT_EQ(window->ComboBox1().ListCount(), 5);
    EXPECT_EQ(window->ComboBox1().Text(), ""); // nothing is chosen for the player
}

TEST_F(QuestionFlowTest, AnEmptyAnswerIsWrongAndShowsTheRightTitleUntilNextSong) {
    window->StartTest().Push();
    window->ComboBox1().Text(QString());
    window->Enter().Push();
    EXPECT_EQ(window->NPoints().Text(), "-1");
    EXPECT_EQ(window->Banner().Text(), "Nope!");
    EXPECT_EQ(window->Answer().Text(), Module1::CorrectAnswer);
    EXPECT_TRUE(window->Banner().Visible() && window->Answer().Visible() && window->Label().Visible());
    EXPECT_EQ(Controls(), ControlsIn(Phase::AnsweredWrong));
    EXPECT_FALSE(window->Timer3().IsRunning()); // no automatic advance
    EXPECT_EQ(ScriptLog().last(), "170");
    window->Timer2().FireNow();
    EXPECT_FALSE(window->Banner().Visible());
    EXPECT_TRUE(window->Answer().Visible());
    window->NextQuestion().Push();
    EXPECT_FALSE(window->Answer().Visible() || window->Label().Visible());
    EXPECT_EQ(Module1::Question, 2);
    EXPECT_EQ(Controls(), ControlsIn(Phase::Listening));
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
    EXPECT_EQ(Controls(), ControlsIn(Phase::AnsweredRight));
    EXPECT_EQ(Module1::Points, 50);
    window->NextQuestion().Push(); // the player is quicker than the timer
    window->Timer3().FireNow();
    EXPECT_EQ(Module1::Question, 6);
}

TEST_F(QuestionFlowTest, TwentyRightAnswersEndWithTheNameEntry) {
    PlayWholeTest(true);
    EXPECT_EQ(Module1::Points, 200);
    EXPECT_TRUE(window->TestOver().Visible());
    EXPECT_EQ(window->ComboBox1().Text(), "");
    EXPECT_EQ(Controls(), ControlsIn(Phase::TestOver));
    Congratulations* entry = fw::OpenInstance<Congratulations>();
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->IsVisible());
    // At left 740, top 70, or as far left as it takes to lie on a narrower screen.
    const int right = entry->Widget()->screen()->availableGeometry().right() + 1;
    EXPECT_EQ(QPoint(entry->Left(), entry->Top()),
              QPoint(std::min(740, right - entry->Widget()->frameGeometry().width()), 70));
    window->Timer3().FireNow();
    EXPECT_EQ(Module1::Question, 20); // no question 21
}

TEST_F(QuestionFlowTest, TwentyWrongAnswersAreClearedFiveSecondsLater) {
    PlayWholeTest(false);
    EXPECT_EQ(Module1::Points, -20);
    EXPECT_EQ(fw::OpenInstance<Congratulations>(), nullptr);
    EXPECT_TRUE(window->TestOver().Visible() && window->Answer().Visible() && window->ComboBox1().Enabled());
    ASSERT_TRUE(window->Timer1().IsRunning());
    window->Timer1().FireNow();
    EXPECT_FALSE(window->Answer().Visible() || window->Label().Visible());
    EXPECT_EQ(window->ComboBox1().Text(), "");
    EXPECT_EQ(Controls(), ControlsIn(Phase::TestOver));
}

TEST_F(QuestionFlowTest, QuitRestartMoreTimeAndTheSupportButton) {
    window->StartTest().Push();
    window->Timer4().FireNow(); // the ten seconds are up
    EXPECT_EQ(ScriptLog().last(), "170");
    window->MoreTime().Push();
    EXPECT_EQ(ScriptLog().last(), "171");
    EXPECT_TRUE(window->Timer4().IsRunning());
    Answer(true);
    window->NextQuestion().Push();
    window->StartTest().Push(); // restarts from question 1 with 0 points
    EXPECT_EQ(std::pair(Module1::Question, Module1::Points), std::pair(1, 0));
    Answer(false);
    window->Quit().Push();
    EXPECT_FALSE(AnyTimerRuns()); // nothing of the quit test acts later
    EXPECT_EQ(std::pair(Module1::Question, Module1::Points), std::pair(0, 0));
    EXPECT_EQ(window->NPoints().Text(), "0");
    EXPECT_FALSE(window->Answer().Visible() || window->Label().Visible() || window->Banner().Visible());
    EXPECT_EQ(Controls(), ControlsIn(Phase::Idle));

    window->Kagi1().Push();
    ASSERT_EQ(services->urls.size(), 1);
    const QUrl page(services->urls[0]);
    EXPECT_EQ(page.scheme(), "https");
    EXPECT_EQ(page.path(), "/");
    EXPECT_TRUE(services->urls[0].endsWith("&lang=en"));
}

TEST_F(QuestionFlowTest, ATimerActsOnlyOnTheQuestionThatStartedIt) {
    struct Case {
        const char* what;
        std::function<void()> steps;
        int question;
        Phase phase;
        bool answerShown;
    };
    const Case cases[] = {
        {"wrong last answer, Start Test at once", [&] { PlayWholeTest(false), window->StartTest().Push(); },
         1, Phase::Listening, false},
        {"wrong last answer, Quit Test, Start Test",
         [&] { PlayWholeTest(false), window->Quit().Push(), window->StartTest().Push(); }, 1,
         Phase::Listening, false},
        {"right answer, Next Song at once, wrong answer",
         [&] { window->StartTest().Push(), Answer(true), window->NextQuestion().Push(), Answer(false); }, 2,
         Phase::AnsweredWrong, true},
        {"right last answer, Start Test, wrong answer",
         [&] { PlayWholeTest(true), window->StartTest().Push(), Answer(false); }, 1, Phase::AnsweredWrong,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        window->Quit().Push();
        c.steps();
        LetPendingTimersRun();
        EXPECT_EQ(Module1::Question, c.question);
        EXPECT_EQ(Controls(), ControlsIn(c.phase));
        EXPECT_EQ(window->Answer().Visible(), c.answerShown);
        EXPECT_EQ(window->Label().Visible(), c.answerShown);
    }
}
