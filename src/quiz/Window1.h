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

    // Controls, in layout order.
    fw::Label& StaticText2() const { return ControlNamed<fw::Label>(QStringLiteral("StaticText2")); }
    fw::PushButton& Enter() const { return ControlNamed<fw::PushButton>(QStringLiteral("Enter")); }
    fw::Label& StaticText5() const { return ControlNamed<fw::Label>(QStringLiteral("StaticText5")); }
    fw::Label& NPoints() const { return ControlNamed<fw::Label>(QStringLiteral("NPoints")); }
    fw::PushButton& Quit() const { return ControlNamed<fw::PushButton>(QStringLiteral("Quit")); }
    fw::PushButton& StartTest() const { return ControlNamed<fw::PushButton>(QStringLiteral("StartTest")); }
    fw::Label& Banner() const { return ControlNamed<fw::Label>(QStringLiteral("Banner")); }
    fw::ComboBox& ComboBox1() const { return ControlNamed<fw::ComboBox>(QStringLiteral("ComboBox1")); }
    fw::Label& StaticText9() const { return ControlNamed<fw::Label>(QStringLiteral("StaticText9")); }
    fw::Label& QuestionNo() const { return ControlNamed<fw::Label>(QStringLiteral("QuestionNo")); }
    fw::Timer& Timer1() const { return TimerNamed(QStringLiteral("Timer1")); }
    fw::Label& Answer() const { return ControlNamed<fw::Label>(QStringLiteral("Answer")); }
    fw::Label& Label() const { return ControlNamed<fw::Label>(QStringLiteral("Label")); }
    fw::PushButton& NextQuestion() const {
        return ControlNamed<fw::PushButton>(QStringLiteral("NextQuestion"));
    }
    fw::Timer& Timer2() const { return TimerNamed(QStringLiteral("Timer2")); }
    fw::Timer& Timer3() const { return TimerNamed(QStringLiteral("Timer3")); }
    fw::Label& TestOver() const { return ControlNamed<fw::Label>(QStringLiteral("TestOver")); }
    fw::PushButton& Kagi1() const { return ControlNamed<fw::PushButton>(QStringLiteral("Kagi1")); }
    fw::Listbox& iTunes() const { return ControlNamed<fw::Listbox>(QStringLiteral("iTunes")); }
    fw::Timer& Timer4() const { return TimerNamed(QStringLiteral("Timer4")); }
    fw::PushButton& MoreTime() const { return ControlNamed<fw::PushButton>(QStringLiteral("MoreTime")); }
    fw::Listbox& Playlists() const { return ControlNamed<fw::Listbox>(QStringLiteral("Playlists")); }
    fw::Separator& Separator1() const { return ControlNamed<fw::Separator>(QStringLiteral("Separator1")); }
    fw::Label& StaticText1() const { return ControlNamed<fw::Label>(QStringLiteral("StaticText1")); }
    fw::DisclosureTriangle& DisclosureTriangle1() const {
        return ControlNamed<fw::DisclosureTriangle>(QStringLiteral("DisclosureTriangle1"));
    }
    fw::Label& Disclosure() const { return ControlNamed<fw::Label>(QStringLiteral("Disclosure")); }
    fw::Label& StaticText10() const { return ControlNamed<fw::Label>(QStringLiteral("StaticText10")); }
    fw::Label& StaticText11() const { return ControlNamed<fw::Label>(QStringLiteral("StaticText11")); }
    fw::Label& NoSongs() const { return ControlNamed<fw::Label>(QStringLiteral("NoSongs")); }
    fw::Thread& Thread1() const { return *thread1_; }
    fw::Label& Busy() const { return ControlNamed<fw::Label>(QStringLiteral("Busy")); }
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

    std::unique_ptr<fw::Thread> thread1_;
};
