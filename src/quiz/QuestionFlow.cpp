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
// out for the rest of the test, with every row that is the same file, once a song of the same search plays;
// the user hears of the first one then. A search that finds no song that plays (as many as a question tries
// failed in a row, or none is left) cannot tell broken files from MPD's trouble (its music folder moved, a
// disk not mounted): it ends nothing, and its songs stay in. MPD's own failures (it does not answer, or
// cannot play any song) leave every song in and are reported as they are.
void Window1::AskQuestion(Ask ask, const QString& songFailure) {
    // A timer of the question before would act on this one (skip its right answer, stop its song), or
    // ask the next one again after this one failed.
    if (ask != Ask::SameQuestion)
        StopPendingTimers(*this);
    // A song that failed since it played counts with this search's failures, of which the user has heard.
    QSet<int> leftOut = ask == Ask::FirstOfTest ? QSet<int>() : unplayable_;
    SongSearch search{SongSearch::Plays, songFailure, songFailure,
                      songFailure.isEmpty() && !failedSince_.isEmpty()};
    leftOut += std::exchange(failedSince_, {});
    const DrawnQuestion asked{Module1::M, Module1::CorrectAnswer, Module1::ChoiceArray};
    try {
        StartQuestionSong(leftOut, search, ask);
    } catch (...) {
        DropSearch(asked);
        throw;
    }
    if (search.outcome != SongSearch::Plays) {
        DropSearch(asked);
        throw fw::Error(NoSongMessage(search, ask));
    }

    unplayable_ = leftOut;
    playedRow_ = Module1::M;
    if (ask == Ask::SameQuestion)
        ShowChoices();
    else {
        if (ask == Ask::FirstOfTest)
            Initialize();
        CountQuestion();
    }
    if (search.firstFailure.isEmpty() || search.told) {
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

void Window1::DropSearch(const DrawnQuestion& asked) {
    Module1::M = asked.row;
    Module1::CorrectAnswer = asked.answer;
    Module1::ChoiceArray = asked.choices;
    playedRow_ = -1; // MPD holds the last song tried, or what it was given before
}

QString Window1::NoSongMessage(const SongSearch& search, Ask ask) {
    const QString why = search.outcome == SongSearch::NoneLeft
                            ? QStringLiteral("No song of this Playlist could be played")
                            : QStringLiteral("Five songs in a row could not be played");
    const QString so = ask == Ask::SameQuestion ? QStringLiteral("so the question has no song to play")
                                                : QStringLiteral("so the question was not asked");
    const QString otherwise = ask == Ask::FirstOfTest
                                  ? QStringLiteral("choose another Playlist")
                                  : QStringLiteral("press Quit Test and choose another Playlist");
    return QStringLiteral(
               "%1, %2.  If MPD's music folder has moved or its disk is not mounted, mend that and "
               "press %3; otherwise %4.\n\n%5")
        .arg(why, so, AskAgainButton(ask), otherwise, search.lastFailure);
}

QString Window1::AskAgainButton(Ask ask) {
    return ask == Ask::FirstOfTest ? QStringLiteral("Start Test")
           : ask == Ask::Next      ? QStringLiteral("Next Song")
                                   : QStringLiteral("Need More Time");
}

void Window1::StartQuestionSong(QSet<int>& leftOut, SongSearch& search, Ask ask) {
    DrawChoices(leftOut);
    for (int tried = 1;; ++tried) {
        try {
            AppleScript2({Module1::Z, Module1::M + 1}, AskAgainButton(ask));
            return;
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
            return;
        }
        if (tried == kMostSongsPerQuestion) {
            search.outcome = SongSearch::TooManyFailed;
            return;
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

void Window1::LeaveOutPlayedSong() {
    // 171 cannot name the tracks that are its song's file, as 169 does: the rows of its title stand in.
    if (playedRow_ < 0)
        return;
    const QString title = ChoiceTitle(*iTunes, playedRow_);
    for (int row = 0; row < iTunes->ListCount(); ++row)
        if (ChoiceTitle(*iTunes, row) == title)
            failedSince_.insert(row);
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
        // A song that has failed since it started (its file removed or cut) counts with the next search's
        // failures; the question still being listened to gets another song at once.
        if (e.ExitCode() != kSongCannotPlay)
            throw;
        LeaveOutPlayedSong();
        if (phase_ != Phase::Listening)
            throw;
        AskQuestion(Ask::SameQuestion, e.Message());
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
