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
// The songs that a question tries at most: a search through every row of a long playlist whose files are
// all gone would hold the window for minutes.
constexpr int kMostSongsPerQuestion = 5;

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
    phase_ = phase;
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
    AskQuestion(Ask::FirstOfTest);
}

void Window1::ComboBox1_Change() {
    ComboBox2->setFocus();
}

void Window1::Enter_Action() {
    // The answer ends the song, and with it the listening time.
    Timer4.stop();
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
    AskQuestion(Ask::Next);
}

// A question is only ever asked about a song that plays, so its song is started before it counts: until
// then nothing of the window or the test changes, and a question whose song does not play leaves the test
// where it was (no test begun, for a first question), to be asked again.
//
// A song that MPD cannot play (its file gone or broken, as in a library whose database is stale) is left
// out for the rest of the test, with every row that is the same file, and another is drawn; the user hears
// of the first one, once the question's song plays. When as many songs as a question tries fail in a row,
// the fault is more likely MPD's (its music folder moved, a disk not mounted) than theirs: the search stops
// there and leaves them in. MPD's own failures (it does not answer, or cannot play any song) leave every
// song in and are reported as they are.
void Window1::AskQuestion(Ask ask) {
    // A timer of the question before would act on this one (skip its right answer, stop its song), or
    // ask the next one again after this one failed.
    if (ask != Ask::SameQuestion)
        StopPendingTimers(*this);
    QSet<int> leftOut = ask == Ask::FirstOfTest ? QSet<int>() : unplayable_;
    const DrawnQuestion asked{Module1::M, Module1::CorrectAnswer, Module1::ChoiceArray};
    const auto restoreDraw = [&asked] {
        Module1::M = asked.row;
        Module1::CorrectAnswer = asked.answer;
        Module1::ChoiceArray = asked.choices;
    };
    SongSearch search;
    try {
        search = StartQuestionSong(leftOut, ask != Ask::SameQuestion);
    } catch (...) {
        restoreDraw();
        throw;
    }
    if (search.outcome != SongSearch::Plays)
        restoreDraw();
    if (search.outcome == SongSearch::NoneLeft) {
        Quit_Action();
        throw fw::Error(kNoSongPlaysMessage.arg(search.firstFailure));
    }
    if (search.outcome == SongSearch::TooManyFailed)
        throw fw::Error(kSongsFailInARowMessage.arg(search.lastFailure));

    unplayable_ = leftOut;
    if (ask == Ask::SameQuestion) {
        if (!search.firstFailure.isEmpty())
            ShowChoices();
    } else {
        if (ask == Ask::FirstOfTest)
            Initialize();
        CountQuestion();
    }
    if (search.firstFailure.isEmpty()) {
        Timer4.start();
        return;
    }
    // The listening time starts when the user can listen: the song waits while the message is read.
    StopSong();
    fw::MsgBox(search.firstFailure);
    // A quit while the box was up (one that the system asked for) has put the user's queue back.
    if (isVisible())
        MoreTime_Action();
}

Window1::SongSearch Window1::StartQuestionSong(QSet<int>& leftOut, bool drawFirst) {
    SongSearch search;
    if (drawFirst)
        DrawChoices(leftOut);
    for (int tried = 1;; ++tried) {
        try {
            AppleScript2({Module1::Z, Module1::M + 1});
            return search;
        } catch (const fw::ScriptError& e) {
            if (e.ExitCode() != kSongCannotPlay)
                throw;
            LeaveOutSong(e.Reply(), leftOut);
            search.lastFailure = e.Message();
            if (search.firstFailure.isEmpty())
                search.firstFailure = search.lastFailure;
        }
        if (!CanDrawChoices(*iTunes, leftOut)) {
            search.outcome = SongSearch::NoneLeft;
            return search;
        }
        if (tried == kMostSongsPerQuestion) {
            search.outcome = SongSearch::TooManyFailed;
            return search;
        }
        DrawChoices(leftOut);
    }
}

void Window1::LeaveOutSong(const QString& tracks, QSet<int>& leftOut) const {
    // The script names the tracks that are the song's file; the question's own row is always one.
    leftOut.insert(Module1::M);
    for (QStringView track : QStringView(tracks).split(u','))
        if (const int row = track.toInt() - 1; row >= 0 && row < iTunes->ListCount())
            leftOut.insert(row);
}

void Window1::CountQuestion() {
    EnterPhase(Phase::Listening);
    Module1::Question += 1;
    QuestionNo->setText(QString::number(Module1::Question));
    Banner->setVisible(false);
    Label->setVisible(false);
    Answer->setVisible(false);
    ShowChoices();
    ComboBox1->setFocus();
}

void Window1::MoreTime_Action() {
    try {
        AppleScript4({});
    } catch (const fw::ScriptError& e) {
        // A song that has failed since it started (its file removed or cut) is left out, and the question
        // still being listened to gets another song, as when its song cannot be started.
        if (e.ExitCode() != kSongCannotPlay || phase_ != Phase::Listening)
            throw;
        AskQuestion(Ask::SameQuestion);
        return;
    }
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
