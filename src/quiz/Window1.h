// The quiz window: the playlist table and song list, the question controls, four one-shot timers and
// the loader thread.
#pragma once

#include "framework/Controls.h"
#include "framework/Listbox.h"
#include "framework/Thread.h"
#include "framework/Window.h"

#include <memory>

class Window1 : public fw::Window {
public:
    static Window1& instance();

    // The phases of a test. Each enables its own set of question controls and names the button that
    // Return presses; the labels, timers and scores that go with it are the handlers' business.
    enum class Phase { Idle, Listening, AnsweredRight, AnsweredWrong, TestOver };

    // Controls, in layout order; a comment gives the role where the name does not.
    // The instruction above the choice box.
    fw::Label& StaticText2() const { return ControlNamed<fw::Label>(QStringLiteral("StaticText2")); }
    fw::PushButton& Enter() const { return ControlNamed<fw::PushButton>(QStringLiteral("Enter")); }
    // "Points:", the caption of NPoints.
    fw::Label& StaticText5() const { return ControlNamed<fw::Label>(QStringLiteral("StaticText5")); }
    fw::Label& NPoints() const { return ControlNamed<fw::Label>(QStringLiteral("NPoints")); }
    // Quit Test: abandons the test, the program stays open.
    fw::PushButton& Quit() const { return ControlNamed<fw::PushButton>(QStringLiteral("Quit")); }
    fw::PushButton& StartTest() const { return ControlNamed<fw::PushButton>(QStringLiteral("StartTest")); }
    // "Excellent!" or "Nope!" after an answer.
    fw::Label& Banner() const { return ControlNamed<fw::Label>(QStringLiteral("Banner")); }
    // The choice box: its list holds the five choices, its text is the answer.
    fw::ComboBox& ComboBox1() const { return ControlNamed<fw::ComboBox>(QStringLiteral("ComboBox1")); }
    // "Tune:", the caption of QuestionNo.
    fw::Label& StaticText9() const { return ControlNamed<fw::Label>(QStringLiteral("StaticText9")); }
    fw::Label& QuestionNo() const { return ControlNamed<fw::Label>(QStringLiteral("QuestionNo")); }
    // After a wrong last answer: hides the right answer, empties and disables the choice box.
    fw::Timer& Timer1() const { return TimerNamed(QStringLiteral("Timer1")); }
    // The right answer, shown after a wrong one.
    fw::Label& Answer() const { return ControlNamed<fw::Label>(QStringLiteral("Answer")); }
    // "Correct answer was", the caption of Answer, shown and hidden with it.
    fw::Label& Label() const { return ControlNamed<fw::Label>(QStringLiteral("Label")); }
    // Next Song.
    fw::PushButton& NextQuestion() const {
        return ControlNamed<fw::PushButton>(QStringLiteral("NextQuestion"));
    }
    // After every answer: hides the banner.
    fw::Timer& Timer2() const { return TimerNamed(QStringLiteral("Timer2")); }
    // After a right answer: presses Next Song if it is still enabled.
    fw::Timer& Timer3() const { return TimerNamed(QStringLiteral("Timer3")); }
    fw::Label& TestOver() const { return ControlNamed<fw::Label>(QStringLiteral("TestOver")); }
    // The support button: opens the store's order page.
    fw::PushButton& Kagi1() const { return ControlNamed<fw::PushButton>(QStringLiteral("Kagi1")); }
    // The song list of the chosen playlist.
    fw::Listbox& iTunes() const { return ControlNamed<fw::Listbox>(QStringLiteral("iTunes")); }
    // The listening time of a song; when it ends the song stops.
    fw::Timer& Timer4() const { return TimerNamed(QStringLiteral("Timer4")); }
    // Need More Time.
    fw::PushButton& MoreTime() const { return ControlNamed<fw::PushButton>(QStringLiteral("MoreTime")); }
    // The playlist table: number and name; a double-click loads a playlist's songs.
    fw::Listbox& Playlists() const { return ControlNamed<fw::Listbox>(QStringLiteral("Playlists")); }
    fw::Separator& Separator1() const { return ControlNamed<fw::Separator>(QStringLiteral("Separator1")); }
    // The caption of the playlist table.
    fw::Label& StaticText1() const { return ControlNamed<fw::Label>(QStringLiteral("StaticText1")); }
    // Shows and hides the playlist table and the song list.
    fw::DisclosureTriangle& DisclosureTriangle1() const {
        return ControlNamed<fw::DisclosureTriangle>(QStringLiteral("DisclosureTriangle1"));
    }
    // The caption of DisclosureTriangle1.
    fw::Label& Disclosure() const { return ControlNamed<fw::Label>(QStringLiteral("Disclosure")); }
    // "Song Titles", the caption of the song list.
    fw::Label& StaticText10() const { return ControlNamed<fw::Label>(QStringLiteral("StaticText10")); }
    // "Number of Songs:", the caption of NoSongs.
    fw::Label& StaticText11() const { return ControlNamed<fw::Label>(QStringLiteral("StaticText11")); }
    fw::Label& NoSongs() const { return ControlNamed<fw::Label>(QStringLiteral("NoSongs")); }
    // The loader thread.
    fw::Thread& Thread1() const { return *thread1_; }
    // Shown while the loader thread runs.
    fw::Label& Busy() const { return ControlNamed<fw::Label>(QStringLiteral("Busy")); }
    // Placed below the visible area: takes the keyboard focus from the choice box after each choice.
    fw::ComboBox& ComboBox2() const { return ControlNamed<fw::ComboBox>(QStringLiteral("ComboBox2")); }

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

    // Methods.
    void Initialize();
    void getPlist();
    void savePlist();
    void CheckScore();
    void HandleChoices();
    void BuildiTuneTable();
    void GetiTunePlaylists();

    // The layout, for tests and the screenshot tool.
    static std::span<const fw::ControlSpec> LayoutTable();

protected:
    void Event_Open() override;
    void Event_Close() override;

private:
    friend Window1& fw::Instance<Window1>();
    Window1();
    void WireEvents();
    // Shows the name-entry window at the given place, without waiting for it.
    void ShowNameEntry(int left, int top);
    // The name-entry window's Enter: keeps the name and files the finished test's score under it.
    void FileHighScore(const QString& name);
    // Enables the question controls of the phase and makes its button the default one.
    void EnterPhase(Phase phase);

    std::unique_ptr<fw::Thread> thread1_;
};
