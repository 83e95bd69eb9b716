// The running of a test: twenty questions, their answers and the four timers.
#include "app/Module1.h"
#include "framework/Errors.h"
#include "framework/Services.h"
#include "framework/Text.h"
#include "quiz/ChoiceRules.h"
#include "quiz/ScriptItems.h"
#include "quiz/Window1.h"
#include "scores/Congratulations.h"

namespace {
constexpr int kQuestionsPerTest = 20;
constexpr int kMinimumSongs = 10;
constexpr int kRightPoints = 10;
constexpr int kWrongPoints = 1;
constexpr int kNameEntryLeft = 740;
constexpr int kNameEntryTop = 70;

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
    ComboBox1().Enabled(true);
    ComboBox1().SetFocus();
    StartTest().Default(false);
    NextQuestion().Default(false);
    Enter().Default(true);
    Enter().Enabled(true);
    MoreTime().Enabled(true);
    Module1::Question += 1;
    QuestionNo().Text(fw::Str(Module1::Question));
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
        NPoints().Text(fw::Str(Module1::Points));
    } else {
        Timer2().Mode(fw::Timer::ModeSingle);
        Banner().Text(QStringLiteral("Excellent!"));
        Banner().Visible(true);
        Module1::Points += kRightPoints;
        NPoints().Text(fw::Str(Module1::Points));
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
        NextQuestion().Default(false);
        NextQuestion().Enabled(false);
        StartTest().Default(true);
    } else {
        NextQuestion().Default(true);
        NextQuestion().Enabled(true);
    }
    Enter().Default(false);
    Enter().Enabled(false);
}

void Window1::NextQuestion_Action() {
    // A list replaced during the test by one that cannot give five choices is refused, and the test
    // stays where it is.
    if (!CanDrawChoices(iTunes())) {
        fw::MsgBox(kTooFewTitlesMessage);
        return;
    }
    StopPendingTimers(*this);
    NextQuestion().Default(false);
    NextQuestion().Enabled(false);
    Enter().Default(true);
    Enter().Enabled(true);
    Module1::Question += 1;
    QuestionNo().Text(fw::Str(Module1::Question));
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
    Congratulations& entry = Congratulations::instance();
    entry.Top(top);
    entry.Left(left);
    entry.Show();
}
