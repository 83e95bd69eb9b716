// The running of a test: twenty questions, their answers and the four timers.
#include "framework/Errors.h"
#include "framework/Services.h"
#include "framework/Windows.h"
#include "quiz/ChoiceRules.h"
#include "quiz/Module1.h"
#include "quiz/ScriptItems.h"
#include "quiz/Window1.h"
#include "scores/Congratulations.h"
#include "scores/GameScores.h"

#include <iterator>
#include <utility>

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

// A player that cannot be stopped is reported, but never keeps an answer from counting or a test from
// being quit.
void StopSong() {
    fw::Guard([] { AppleScript3({}); });
}

// Each timer acts on the question whose answer or song started it; when a test or a question starts, or
// the test is quit, a timer still pending would act on the wrong one (empty the new test's choice box,
// skip the next question's right answer).
void StopPendingTimers(Window1& window) {
    for (QTimer* timer : {&window.Timer1, &window.Timer2, &window.Timer3, &window.Timer4})
        timer->stop();
}
} // namespace

// The choice box is enabled before anything is given the focus; the buttons follow in one fixed order,
// so that where the focus goes from a button being disabled does not depend on the phase entered.
void Window1::EnterPhase(Phase phase) {
    const PhaseRow& row = kPhases[int(phase)];
    if (row.choiceBox != Box::Kept)
        ComboBox1->setEnabled(row.choiceBox == Box::Enabled);
    StartTest->setDefault(row.returnPresses == Return::StartTest);
    NextQuestion->setDefault(row.returnPresses == Return::NextQuestion);
    NextQuestion->setEnabled(row.nextQuestion);
    Enter->setDefault(row.returnPresses == Return::Enter);
    Enter->setEnabled(row.enter);
    MoreTime->setDefault(false);
    MoreTime->setEnabled(row.moreTime);
}

void Window1::StartTest_Action() {
    if (iTunes->ListCount() < kMinimumSongs) {
        fw::MsgBox(kTooFewSongsMessage);
        return;
    }
    // A list that can never give five different titles is refused before anything changes.
    if (!CanDrawChoices(*iTunes)) {
        fw::MsgBox(kTooFewTitlesMessage);
        return;
    }
    StopPendingTimers(*this);
    Initialize();
    unplayable_.clear();
    EnterPhase(Phase::Listening);
    ComboBox1->setFocus();
    Module1::Question += 1;
    QuestionNo->setText(QString::number(Module1::Question));
    HandleChoices();
    ComboBox1->setFocus();
    PlayQuestionSong();
}

void Window1::ComboBox1_Change() {
    ComboBox2->setFocus();
}

void Window1::Enter_Action() {
    StopSong();
    const bool right = ComboBox1->currentText() == Module1::CorrectAnswer;
    if (!right) {
        Answer->setText(Module1::CorrectAnswer);
        if (Module1::Question > kQuestionsPerTest - 1)
            Timer1.start();
        Timer2.start();
        Banner->setText(QStringLiteral("Nope!"));
        Banner->setVisible(true);
        Answer->setVisible(true);
        Label->setVisible(true);
        Module1::Points -= kWrongPoints;
        NPoints->setText(QString::number(Module1::Points));
    } else {
        Timer2.start();
        Banner->setText(QStringLiteral("Excellent!"));
        Banner->setVisible(true);
        Module1::Points += kRightPoints;
        NPoints->setText(QString::number(Module1::Points));
        Timer3.start();
    }

    if (Module1::Question == kQuestionsPerTest) {
        TestOver->setVisible(true);
        if (right) {
            ComboBox1->setEditText(QString());
            ComboBox1->setEnabled(false);
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
    if (!CanDrawChoices(*iTunes, unplayable_)) {
        fw::MsgBox(kTooFewTitlesMessage);
        return;
    }
    StopPendingTimers(*this);
    EnterPhase(Phase::Listening);
    Module1::Question += 1;
    QuestionNo->setText(QString::number(Module1::Question));
    ComboBox1->setCurrentIndex(-1);
    Banner->setVisible(false);
    Label->setVisible(false);
    Answer->setVisible(false);
    repaint();
    HandleChoices();
    PlayQuestionSong();
}

void Window1::PlayQuestionSong() {
    // A question is only ever asked about a song that plays. One that MPD cannot play (its file gone or
    // broken, as in a library whose database is stale) is left out for the rest of the test and the same
    // question is drawn again. The user hears once per question: of the first such song, after the one
    // that plays has started, or that none is left, which ends the test. When MPD plays nothing at all
    // (it does not answer), the question is taken back, to be asked again once it does.
    QString firstFailure;
    for (;;) {
        try {
            AppleScript2({Module1::Z, Module1::M + 1});
            break;
        } catch (const fw::ScriptError& e) {
            if (e.ExitCode() != kSongCannotPlay) {
                TakeBackQuestion();
                throw;
            }
            if (firstFailure.isEmpty())
                firstFailure = e.Message();
            unplayable_.insert(Module1::M);
        } catch (...) {
            TakeBackQuestion();
            throw;
        }
        if (!CanDrawChoices(*iTunes, unplayable_)) {
            Quit_Action();
            throw fw::Error(kNoSongPlaysMessage.arg(firstFailure));
        }
        HandleChoices();
    }
    Timer4.start();
    if (!firstFailure.isEmpty())
        fw::MsgBox(firstFailure);
}

void Window1::TakeBackQuestion() {
    // Back where the question was asked from: before the test, or after the answer to the one before.
    Module1::Question -= 1;
    QuestionNo->setText(QString::number(Module1::Question));
    EnterPhase(Module1::Question == 0 ? Phase::Idle : Phase::AnsweredRight);
}

void Window1::MoreTime_Action() {
    AppleScript4({});
    Timer4.start();
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
    Answer->setVisible(false);
    Label->setVisible(false);
    ComboBox1->setEditText(QString());
    ComboBox1->setEnabled(false);
}

void Window1::Timer2_Action() {
    Banner->setVisible(false);
}

void Window1::Timer3_Action() {
    if (NextQuestion->isEnabled())
        NextQuestion->click();
}

void Window1::Timer4_Action() {
    StopSong();
}

void Window1::ShowNameEntry(int left, int top) {
    Congratulations* entry = fw::OpenInstance<Congratulations>();
    if (!entry) {
        entry = &Congratulations::instance();
        // A new window offers the name last entered this run.
        entry->NameField->setText(Module1::Name);
        fw::on(entry, &Congratulations::nameEntered, this, &Window1::FileHighScore);
    }
    fw::PlaceOnScreen(entry, {left, top});
    fw::Present(entry);
}

void Window1::FileHighScore(const QString& name) {
    Module1::Name = name;
    // The score filed is the one the finished test qualified with: by the time the name is entered the
    // user may have quit that test or started the next, which reset the running score.
    const int score = std::exchange(finishedScore_, 0);
    if (score > 0) {
        GameScores& scores = GameScores::instance();
        fw::PlaceOnScreen(&scores, {10, scores.y()});
        fw::Present(&scores);
        scores.Table().insert(name, score);
    }
    Module1::NewHighScoreFlag = false;
}
