// A test through the real window, with stub scripts and timers fired by the test.
#include "quiz/Module1.h"
#include "quiz/Window1.h"
#include "scores/Congratulations.h"
#include "support/TestSupport.h"

#include <QPoint>
#include <QPushButton>
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
        window->iTunes->DeleteAllRows();
        for (int i = 0; i < count; ++i)
            window->iTunes->AddRow(QStringLiteral("Song %1").arg(i + 1));
    }
    void Answer(bool right) {
        window->ComboBox1->setEditText(right ? Module1::CorrectAnswer : QStringLiteral("Not this one"));
        window->Enter->click();
    }
    void PlayWholeTest(bool right) {
        window->StartTest->click();
        for (int q = 1; q <= 20; ++q) {
            Answer(right);
            if (q < 20)
                window->NextQuestion->click();
        }
    }
    // The periods of every timer still running end, shortest first.
    void LetPendingTimersRun() {
        for (QTimer* timer : {&window->Timer3, &window->Timer2, &window->Timer1, &window->Timer4})
            if (timer->isActive())
                FireNow(*timer);
    }
    bool AnyTimerRuns() const {
        return window->Timer1.isActive() || window->Timer2.isActive() || window->Timer3.isActive() ||
               window->Timer4.isActive();
    }
    // The buttons and the choice box: "*" enabled and the default button, "+" enabled, "-" disabled.
    QString Controls() const {
        auto mark = [](const QWidget* c) {
            auto* button = qobject_cast<const QPushButton*>(c);
            return button && button->isDefault() ? "*" : c->isEnabled() ? "+" : "-";
        };
        return QStringLiteral("start%1 enter%2 next%3 more%4 box%5")
            .arg(mark(window->StartTest), mark(window->Enter), mark(window->NextQuestion),
                 mark(window->MoreTime), mark(window->ComboBox1));
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
    window->StartTest->click();
    EXPECT_EQ(services->messages,
              QStringList{"There are not enough songs in this Playlist to play Zandolin!"});
    EXPECT_EQ(Module1::Question, 0);

    SetSongs(10);
    window->StartTest->click();
    EXPECT_EQ(Module1::Question, 1);
    EXPECT_EQ(window->QuestionNo->text(), "1");
    EXPECT_EQ(Controls(), ControlsIn(Phase::Listening));
    EXPECT_TRUE(window->Timer4.isActive());
    EXPECT_EQ(window->Timer4.interval(), 10000); // the song plays ten seconds
    EXPECT_EQ(ScriptLog().last(), QStringLiteral("169 2 %1").arg(Module1::M + 1));
    EXPECT_EQ(window->ComboBox1->count(), 5);
    EXPECT_EQ(window->ComboBox1->currentText(), ""); // nothing is chosen for the player
    EXPECT_EQ(window->focusWidget(), window->ComboBox1);
    emit window->ComboBox1->activated(2); // a pick takes the focus away from the box
    EXPECT_EQ(window->focusWidget(), window->ComboBox2);
}

TEST_F(QuestionFlowTest, AnEmptyAnswerIsWrongAndShowsTheRightTitleUntilNextSong) {
    window->StartTest->click();
    window->ComboBox1->setEditText(QString());
    window->Enter->click();
    EXPECT_EQ(window->NPoints->text(), "-1");
    EXPECT_EQ(window->Banner->text(), "Nope!");
    EXPECT_EQ(window->Answer->text(), Module1::CorrectAnswer);
    EXPECT_TRUE(Shown(window->Banner) && Shown(window->Answer) && Shown(window->Label));
    EXPECT_EQ(Controls(), ControlsIn(Phase::AnsweredWrong));
    EXPECT_FALSE(window->Timer3.isActive()); // no automatic advance
    EXPECT_EQ(window->Timer2.interval(), 2500);
    EXPECT_EQ(ScriptLog().last(), "170");
    FireNow(window->Timer2);
    EXPECT_FALSE(Shown(window->Banner));
    EXPECT_TRUE(Shown(window->Answer));
    window->NextQuestion->click();
    EXPECT_FALSE(Shown(window->Answer) || Shown(window->Label));
    EXPECT_EQ(Module1::Question, 2);
    EXPECT_EQ(Controls(), ControlsIn(Phase::Listening));
}

TEST_F(QuestionFlowTest, ARightAnswerAdvancesByItselfOnce) {
    window->StartTest->click();
    for (int q = 1; q < 5; ++q) {
        Answer(true);
        FireNow(window->Timer3); // two seconds later
    }
    ASSERT_EQ(Module1::Question, 5);
    Answer(true);
    EXPECT_EQ(window->Banner->text(), "Excellent!");
    EXPECT_EQ(Controls(), ControlsIn(Phase::AnsweredRight));
    EXPECT_EQ(Module1::Points, 50);
    EXPECT_EQ(window->Timer3.interval(), 2000);
    window->NextQuestion->click(); // the player is quicker than the timer
    EXPECT_FALSE(window->Timer3.isActive());
    EXPECT_EQ(Module1::Question, 6);
    EXPECT_EQ(window->ComboBox1->currentText(), ""); // the last answer is gone
    EXPECT_FALSE(Shown(window->Banner));
}

TEST_F(QuestionFlowTest, TwentyRightAnswersEndWithTheNameEntry) {
    PlayWholeTest(true);
    EXPECT_EQ(Module1::Points, 200);
    EXPECT_TRUE(Shown(window->TestOver));
    EXPECT_EQ(window->ComboBox1->currentText(), "");
    EXPECT_EQ(Controls(), ControlsIn(Phase::TestOver));
    Congratulations* entry = fw::OpenInstance<Congratulations>();
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->isVisible());
    // At left 740, top 70, or as far left as it takes to lie on a narrower screen.
    const int right = entry->screen()->availableGeometry().right() + 1;
    EXPECT_EQ(entry->pos(), QPoint(std::min(740, right - entry->frameGeometry().width()), 70));
    FireNow(window->Timer3);
    EXPECT_EQ(Module1::Question, 20); // no question 21
}

TEST_F(QuestionFlowTest, TwentyWrongAnswersAreClearedFiveSecondsLater) {
    PlayWholeTest(false);
    EXPECT_EQ(Module1::Points, -20);
    EXPECT_EQ(fw::OpenInstance<Congratulations>(), nullptr);
    EXPECT_TRUE(Shown(window->TestOver) && Shown(window->Answer) && window->ComboBox1->isEnabled());
    ASSERT_TRUE(window->Timer1.isActive());
    EXPECT_EQ(window->Timer1.interval(), 5000);
    FireNow(window->Timer1);
    EXPECT_FALSE(Shown(window->Answer) || Shown(window->Label));
    EXPECT_EQ(window->ComboBox1->currentText(), "");
    EXPECT_EQ(Controls(), ControlsIn(Phase::TestOver));
}

TEST_F(QuestionFlowTest, QuitRestartMoreTimeAndTheSupportButton) {
    window->StartTest->click();
    FireNow(window->Timer4); // the ten seconds are up
    EXPECT_EQ(ScriptLog().last(), "170");
    window->MoreTime->click();
    EXPECT_EQ(ScriptLog().last(), "171");
    EXPECT_TRUE(window->Timer4.isActive());
    Answer(true);
    window->NextQuestion->click();
    window->StartTest->click(); // restarts from question 1 with 0 points
    EXPECT_EQ(std::pair(Module1::Question, Module1::Points), std::pair(1, 0));
    Answer(false);
    window->Quit->click();
    EXPECT_FALSE(AnyTimerRuns()); // nothing of the quit test acts later
    EXPECT_EQ(std::pair(Module1::Question, Module1::Points), std::pair(0, 0));
    EXPECT_EQ(window->NPoints->text(), "0");
    EXPECT_FALSE(Shown(window->Answer) || Shown(window->Label) || Shown(window->Banner));
    EXPECT_EQ(Controls(), ControlsIn(Phase::Idle));

    window->Kagi1->click();
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
        {"wrong last answer, Start Test at once", [&] { PlayWholeTest(false), window->StartTest->click(); },
         1, Phase::Listening, false},
        {"wrong last answer, Quit Test, Start Test",
         [&] { PlayWholeTest(false), window->Quit->click(), window->StartTest->click(); }, 1,
         Phase::Listening, false},
        {"right answer, Next Song at once, wrong answer",
         [&] { window->StartTest->click(), Answer(true), window->NextQuestion->click(), Answer(false); }, 2,
         Phase::AnsweredWrong, true},
        {"right last answer, Start Test, wrong answer",
         [&] { PlayWholeTest(true), window->StartTest->click(), Answer(false); }, 1, Phase::AnsweredWrong,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        window->Quit->click();
        c.steps();
        LetPendingTimersRun();
        EXPECT_EQ(Module1::Question, c.question);
        EXPECT_EQ(Controls(), ControlsIn(c.phase));
        EXPECT_EQ(Shown(window->Answer), c.answerShown);
        EXPECT_EQ(Shown(window->Label), c.answerShown);
    }
}
