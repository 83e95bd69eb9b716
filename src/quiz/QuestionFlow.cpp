// The running of a test: twenty questions, their answers and the four timers.
#include "framework/Errors.h"
#include "framework/Services.h"
#include "quiz/ChoiceRules.h"
#include "quiz/Module1.h"
#include "quiz/ScriptItems.h"
#include "quiz/Window1.h"
#include "scores/Congratulations.h"
#include "scores/GameScores.h"

#include <iterator>

namespace {
constexpr int kQuestionsPerTest = 20;
constexpr int kMinimumSongs = 10;
constexpr int kRightPoints = 10;
constexpr int kWrongPoints = 1;
constexpr int kNameEntryLeft = 740;
constexpr int kNameEntryTop = 70;

using Phase = Window1::Phase;

// The button that Return presses.
enum class Return { StartTest, Enter, NextQuestion };

// What the choice box does on entering a phase. At test over it keeps what the answer left: emptied and
// disabled at once after a right one, five seconds later (Timer1) after a wrong one.
enum class Box { Disabled, Enabled, Kept };

// Start Test, Quit Test and the support button are enabled in every phase.
struct PhaseRow {
    Phase phase;
    Return returnPresses;
    bool enter, nextQuestion, moreTime; // enabled
    Box choiceBox;
};

// clang-format off
constexpr PhaseRow kPhases[] = {
//   phase                 Return presses        Enter  Next   More   choice box
    {Phase::Idle,          Return::StartTest,    false, false, false, Box::Disabled},
    {Phase::Listening,     Return::Enter,        true,  false, true,  Box::Enabled},
    {Phase::AnsweredRight, Return::NextQuestion, false, true,  true,  Box::Enabled},
    {Phase::AnsweredWrong, Return::NextQuestion, false, true,  true,  Box::Enabled},
    {Phase::TestOver,      Return::StartTest,    false, false, true,  Box::Kept},
};
// clang-format on

constexpr bool RowsInPhaseOrder() {
    for (int i = 0; i < int(std::size(kPhases)); ++i)
        if (int(kPhases[i].phase) != i)
            return false;
    return true;
}
static_assert(RowsInPhaseOrder(), "kPhases has one row per phase, in the order of Phase");

// The store's order page for the program.
const QString kOrderPage = QStringLiteral("https://order.orvane.example/?ZDN1&lang=en");

void PlayCurrentSong() {
    AppleScript2({Module1::Z, Module1::M + 1});
}

// A player that cannot be stopped is reported, but never keeps an answer from counting or a test from
// being quit.
void StopSong() {
    fw::Guard([] { AppleScript3({}); });
}

// Each timer acts on the question whose answer or song started it; when a test or a question starts, or
// the test is quit, a timer still pending would act on the wrong one (empty the new test's choice box,
// skip the next question's right answer).
void StopPendingTimers(Window1& window) {
    for (fw::Timer* timer : {&window.Timer1(), &window.Timer2(), &window.Timer3(), &window.Timer4()})
        timer->Mode(fw::Timer::ModeOff);
}
} // namespace

// The choice box is enabled before anything is given the focus; the buttons follow in one fixed order,
// so that where the focus goes from a button being disabled does not depend on the phase entered.
void Window1::EnterPhase(Phase phase) {
    const PhaseRow& row = kPhases[int(phase)];
    if (row.choiceBox != Box::Kept)
        ComboBox1().Enabled(row.choiceBox == Box::Enabled);
    StartTest().Default(row.returnPresses == Return::StartTest);
    NextQuestion().Default(row.returnPresses == Return::NextQuestion);
    NextQuestion().Enabled(row.nextQuestion);
    Enter().Default(row.returnPresses == Return::Enter);
    Enter().Enabled(row.enter);
    MoreTime().Default(false);
    MoreTime().Enabled(row.moreTime);
}

void Window1::StartTest_Action() {
    if (iTunes().ListCount() < kMinimumSongs) {
        fw::MsgBox(kTooFewSongsMessage);
        return;
    }
    // A list that can never give five different titles is refused before anything changes.
    if (!CanDrawChoices(iTunes())) {
        fw::MsgBox(kTooFewTitlesMessage);
        return;
    }
    StopPendingTimers(*this);
    Initialize();
    EnterPhase(Phase::Listening);
    ComboBox1().SetFocus();
    Module1::Question += 1;
    QuestionNo().Text(QString::number(Module1::Question));
    HandleChoices();
    ComboBox1().SetFocus();
    PlayCurrentSong();
    Timer4().Mode(fw::Timer::ModeSingle);
}

void Window1::ComboBox1_Change() {
    ComboBox2().SetFocus();
}

void Window1::Enter_Action() {
    StopSong();
    const bool right = ComboBox1().Text() == Module1::CorrectAnswer;
    if (!right) {
        Answer().Text(Module1::CorrectAnswer);
        if (Module1::Question > kQuestionsPerTest - 1)
            Timer1().Mode(fw::Timer::ModeSingle);
        Timer2().Mode(fw::Timer::ModeSingle);
        Banner().Text(QStringLiteral("Nope!"));
        Banner().Visible(true);
        Answer().Visible(true);
        Label().Visible(true);
        Module1::Points -= kWrongPoints;
        NPoints().Text(QString::number(Module1::Points));
    } else {
        Timer2().Mode(fw::Timer::ModeSingle);
        Banner().Text(QStringLiteral("Excellent!"));
        Banner().Visible(true);
        Module1::Points += kRightPoints;
        NPoints().Text(QString::number(Module1::Points));
        Timer3().Mode(fw::Timer::ModeSingle);
    }

    if (Module1::Question == kQuestionsPerTest) {
        TestOver().Visible(true);
        if (right) {
            ComboBox1().Text(QString());
            ComboBox1().Enabled(false);
        }
        CheckScore();
        if (Module1::NewHighScoreFlag)
            ShowNameEntry(kNameEntryLeft, kNameEntryTop);
        EnterPhase(Phase::TestOver);
    } else {
        EnterPhase(right ? Phase::AnsweredRight : Phase::AnsweredWrong);
    }
}

void Window1::NextQuestion_Action() {
    // A list replaced during the test by one that cannot give five choices is refused, and the test
    // stays where it is.
    if (!CanDrawChoices(iTunes())) {
        fw::MsgBox(kTooFewTitlesMessage);
        return;
    }
    StopPendingTimers(*this);
    EnterPhase(Phase::Listening);
    Module1::Question += 1;
    QuestionNo().Text(QString::number(Module1::Question));
    ComboBox1().ListIndex(-1);
    Banner().Visible(false);
    Label().Visible(false);
    Answer().Visible(false);
    Refresh(true);
    HandleChoices();
    PlayCurrentSong();
    Timer4().Mode(fw::Timer::ModeSingle);
}

void Window1::MoreTime_Action() {
    AppleScript4({});
    Timer4().Mode(fw::Timer::ModeSingle);
}

void Window1::Quit_Action() {
    StopPendingTimers(*this);
    StopSong();
    Initialize();
}

void Window1::Kagi1_Action() {
    fw::ShowURL(kOrderPage);
}

void Window1::Timer1_Action() {
    Answer().Visible(false);
    Label().Visible(false);
    ComboBox1().Text(QString());
    ComboBox1().Enabled(false);
}

void Window1::Timer2_Action() {
    Banner().Visible(false);
}

void Window1::Timer3_Action() {
    if (NextQuestion().Enabled())
        NextQuestion().Push();
}

void Window1::Timer4_Action() {
    StopSong();
}

void Window1::ShowNameEntry(int left, int top) {
    Congratulations* entry = fw::OpenInstance<Congratulations>();
    if (!entry) {
        entry = &Congratulations::instance();
        // A new window offers the name last entered this run.
        entry->NameField().Text(Module1::Name);
        connect(entry, &Congratulations::nameEntered, this,
                [this](const QString& name) { fw::Guard([&] { FileHighScore(name); }); });
    }
    entry->Top(top);
    entry->Left(left);
    entry->Show();
}

void Window1::FileHighScore(const QString& name) {
    Module1::Name = name;
    // Once a new test is under way its running score is not a result; the finished test's score is no
    // longer known, so nothing is filed rather than a partial score.
    if (Module1::Question >= 1 && Module1::Question < kQuestionsPerTest) {
        Module1::NewHighScoreFlag = false;
        fw::MsgBox(QStringLiteral("A new test has started, so the last test's score can no longer be "
                                  "entered in the high scores."));
        return;
    }
    GameScores& scores = GameScores::instance();
    scores.Left(10);
    scores.Show();
    scores.Table().insert(name, Module1::Points);
    Module1::NewHighScoreFlag = false;
}
