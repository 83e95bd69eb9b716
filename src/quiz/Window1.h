// The quiz window: the playlist table and song list, the question controls, four one-shot timers and
// the loader thread.
#pragma once

#include "framework/Form.h"
#include "framework/Listbox.h"
#include "framework/Windows.h"
#include "quiz/GetiTuneTunes.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QSet>
#include <QTimer>
#include <QToolButton>

class Window1 : public QMainWindow {
    Q_OBJECT
    const fw::Form form_;

public:
    static Window1& instance();

    // The phases of a test. Each enables its own set of question controls and names the button that
    // Return presses; the labels, timers and scores that go with it are the handlers' business.
    enum class Phase { Idle, Listening, AnsweredRight, AnsweredWrong, TestOver };

    // Controls and timers, in layout order; a comment gives the role where the name does not.
    QLabel* const StaticText2 = form_.take<QLabel>("StaticText2"); // the instruction above the choice box
    QPushButton* const Enter = form_.take<QPushButton>("Enter");
    QLabel* const StaticText5 = form_.take<QLabel>("StaticText5"); // "Points:", the caption of NPoints
    QLabel* const NPoints = form_.take<QLabel>("NPoints");
    QPushButton* const Quit = form_.take<QPushButton>("Quit"); // Quit Test: the program stays open
    QPushButton* const StartTest = form_.take<QPushButton>("StartTest");
    QLabel* const Banner = form_.take<QLabel>("Banner"); // "Excellent!" or "Nope!" after an answer
    // The choice box: its list holds the five choices, its text is the answer.
    QComboBox* const ComboBox1 = form_.take<QComboBox>("ComboBox1");
    QLabel* const StaticText9 = form_.take<QLabel>("StaticText9"); // "Tune:", the caption of QuestionNo
    QLabel* const QuestionNo = form_.take<QLabel>("QuestionNo");
    // After a wrong last answer: hides the right answer, empties and disables the choice box.
    QTimer Timer1;
    QLabel* const Answer = form_.take<QLabel>("Answer"); // the right answer, shown after a wrong one
    // "Correct answer was", the caption of Answer, shown and hidden with it.
    QLabel* const Label = form_.take<QLabel>("Label");
    QPushButton* const NextQuestion = form_.take<QPushButton>("NextQuestion"); // Next Song
    QTimer Timer2; // after every answer: hides the banner
    QTimer Timer3; // after a right answer: presses Next Song if it is still enabled
    QLabel* const TestOver = form_.take<QLabel>("TestOver");
    QPushButton* const Kagi1 = form_.take<QPushButton>("Kagi1");   // support: opens the store's order page
    fw::Listbox* const iTunes = form_.take<fw::Listbox>("iTunes"); // the song list of the chosen playlist
    QTimer Timer4; // the listening time of a song; when it ends the song stops
    QPushButton* const MoreTime = form_.take<QPushButton>("MoreTime"); // Need More Time
    // The playlist table: number and name; a double-click loads a playlist's songs.
    fw::Listbox* const Playlists = form_.take<fw::Listbox>("Playlists");
    QFrame* const Separator1 = form_.take<QFrame>("Separator1");
    QLabel* const StaticText1 = form_.take<QLabel>("StaticText1"); // the caption of the playlist table
    // Shows and hides the playlist table and the song list.
    QToolButton* const DisclosureTriangle1 = form_.take<QToolButton>("DisclosureTriangle1");
    QLabel* const Disclosure = form_.take<QLabel>("Disclosure");     // the caption of DisclosureTriangle1
    QLabel* const StaticText10 = form_.take<QLabel>("StaticText10"); // "Song Titles", the song list's caption
    QLabel* const StaticText11 = form_.take<QLabel>("StaticText11"); // "Number of Songs:", NoSongs' caption
    QLabel* const NoSongs = form_.take<QLabel>("NoSongs");
    GetiTuneTunes Thread1{*this};                    // the loader thread
    QLabel* const Busy = form_.take<QLabel>("Busy"); // shown while the loader thread runs
    // Placed below the visible area: takes the keyboard focus from the choice box after each choice.
    QComboBox* const ComboBox2 = form_.take<QComboBox>("ComboBox2");

    // Handlers.
    void Enter_Action();
    void Quit_Action();
    void StartTest_Action();
    void ComboBox1_Change();
    void Timer1_Action();
    void NextQuestion_Action();
    void Timer2_Action();
    void Timer3_Action();
    void Kagi1_Action();
    void Timer4_Action();
    void MoreTime_Action();
    void Playlists_Open();
    void Playlists_DoubleClick();
    void DisclosureTriangle1_Action();
    void Thread1_Run(); // on the loader thread
    void Event_Open();

    // Methods.
    void Initialize();
    void getPlist();
    void savePlist();
    void CheckScore();
    void HandleChoices();
    void BuildiTuneTable();
    void GetiTunePlaylists();

signals:
    // The window has closed: the program quits.
    void closed();

protected:
    // Return presses the default button, unless the focused control takes the key itself.
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    friend Window1& fw::Instance<Window1>();
    Window1();
    void WireEvents();
    // Shows the name-entry window at the given place, without waiting for it.
    void ShowNameEntry(int left, int top);
    // The name-entry window's Enter: keeps the name and files the finished test's score under it.
    void FileHighScore(const QString& name);
    // The state of no test, without the High Scores window that Initialize makes.
    void ShowNoTest();
    // Enables the question controls of the phase and makes its button the default one.
    void EnterPhase(Phase phase);

    // How a question is asked: as the first of a new test, as the next one, or again with another song.
    enum class Ask { FirstOfTest, Next, SameQuestion };
    // What the search for a song that plays found.
    struct SongSearch {
        enum Outcome { Plays, NoneLeft, TooManyFailed } outcome = Plays;
        QString firstFailure, lastFailure; // the messages of the songs that could not be played
        bool told = false;                 // the user has heard of the first already
    };
    // The question's song and choices as drawn, put back when a question is not asked.
    struct DrawnQuestion {
        int row;
        QString answer;
        QStringList choices;
    };
    // Asks a question whose song plays, and starts its listening time. songFailure is the message of the
    // question's own song, which has failed since it started (asked again with another song).
    void AskQuestion(Ask ask, const QString& songFailure = {});
    // Starts the song of the question, drawn first and drawn again for each song that MPD cannot play,
    // which joins leftOut.
    void StartQuestionSong(QSet<int>& leftOut, SongSearch& search, Ask ask);
    // Puts back the question as drawn before a search that found no song.
    void DropSearch(const DrawnQuestion& asked);
    static QString NoSongMessage(const SongSearch& search, Ask ask);
    // The button that asks the question again, once MPD plays.
    static QString AskAgainButton(Ask ask);
    // Leaves out the question's song and the tracks, named by a script, that are the same file.
    void LeaveOutSong(const QString& tracks, QSet<int>& leftOut) const;
    // Leaves out the song in MPD's queue, which has failed since it played, with the next search's failures.
    void LeaveOutPlayedSong();
    // Counts the question whose song plays and shows it.
    void CountQuestion();
    // Draws the question's song and its five choices from the rows not left out; shows the choices.
    void DrawChoices(const QSet<int>& leftOut);
    void ShowChoices();

    // The last finished test's score that qualified for the high scores, until the name entry files it.
    int finishedScore_ = 0;
    // Rows of the song list whose songs could not be played during this test.
    QSet<int> unplayable_;
    // Rows whose songs failed after they had played (Need More Time), left out with the next search's.
    QSet<int> failedSince_;
    // The row of the song in MPD's queue; -1 when not known (a search failed, the list was reloaded).
    int playedRow_ = -1;
    Phase phase_ = Phase::Idle;
};
