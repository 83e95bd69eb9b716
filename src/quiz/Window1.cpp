#include "quiz/Window1.h"

#include "app/MenuBar1.h"
#include "framework/Application.h"
#include "quiz/Module1.h"
#include "quiz/ScriptItems.h"
#include "scores/GameScores.h"

using fw::AlignCenter;
using fw::AlignLeft;
using fw::AlignRight;
using K = fw::Kind;

namespace {

constexpr fw::WindowSpec kWindow{"Zandolin",           863, 432, fw::WindowSpec::Document,
                                 /*close*/ true,
                                 /*minimize*/ true,
                                 /*maximize*/ false,
                                 /*resizeable*/ false,
                                 /*visible*/ true};

// clang-format off
constexpr fw::ControlSpec kControls[] = {
//   name                   kind                   left top  width h   text                                                  font      size bold   align        colour     visible default tab options
    {"StaticText2",         K::Label,              26,  128, 324, 20, "Choose name of song from drop-down menu",             "System", 0,  true,  AlignCenter, "#000000", true,  false,  0},
    {"Enter",               K::PushButton,         503, 138, 110, 20, "Enter",                                               "System", 0,  true,  AlignLeft,   "",        true,  false,  1},
    {"StaticText5",         K::Label,              712, 193, 60,  20, "Points:",                                             "System", 0,  true,  AlignRight,  "#000000", true,  false,  2},
    {"NPoints",             K::Label,              776, 193, 35,  20, "200",                                                 "System", 0,  true,  AlignCenter, "#000000", true,  false,  3},
    {"Quit",                K::PushButton,         656, 22,  100, 20, "Quit Test",                                           "System", 0,  true,  AlignLeft,   "",        true,  false,  4},
    {"StartTest",           K::PushButton,         92,  22,  100, 20, "Start Test",                                          "System", 0,  true,  AlignLeft,   "",        true,  true,   5},
    {"Banner",              K::Label,              138, 67,  180, 30, "Banner",                                              "System", 22, true,  AlignCenter, "#FF0214", false, false,  6},
    {"ComboBox1",           K::ComboBox,           34,  158, 388, 20, "",                                                    "System", 0,  false, AlignLeft,   "",        true,  false,  7},
    {"StaticText9",         K::Label,              712, 159, 60,  20, "Tune:",                                               "System", 0,  true,  AlignRight,  "#000000", true,  false,  8},
    {"QuestionNo",          K::Label,              776, 159, 35,  20, "20",                                                  "System", 0,  true,  AlignCenter, "#000000", true,  false,  9},
    {"Answer",              K::Label,              24,  229, 414, 30, "Answer",                                              "System", 0,  true,  AlignCenter, "#FF0214", false, false, 10},
    {"Label",               K::Label,              131, 200, 200, 20, "Correct answer was",                                  "System", 0,  true,  AlignCenter, "#000000", false, false, 11},
    {"NextQuestion",        K::PushButton,         503, 181, 110, 20, "Next Song",                                           "System", 0,  true,  AlignLeft,   "",        true,  false, 12},
    {"TestOver",            K::Label,              710, 232, 119, 20, "Test Over!",                                          "System", 20, true,  AlignCenter, "#FF0214", false, false, 13},
    {"Kagi1",               K::PushButton,         503, 221, 110, 20, "Support Orvane",                                      "Arial",  12, true,  AlignLeft,   "",        true,  false, 14},
    {"iTunes",              K::Listbox,            441, 330, 388, 82, "",                                                    "System", 0,  false, AlignLeft,   "",        true,  false, 15, "columns=1;hscroll=0;vscroll=1"},
    {"MoreTime",            K::PushButton,         498, 95,  120, 20, "Need More Time",                                      "System", 12, true,  AlignLeft,   "",        true,  false, 16},
    {"Playlists",           K::Listbox,            34,  330, 388, 82, "",                                                    "System", 0,  false, AlignLeft,   "",        true,  false, 17, "columns=2;widths=10%, 90%;hscroll=1;vscroll=1"},
    {"Separator1",          K::Separator,          20,  297, 809, 4,  "",                                                    "System", 0,  false, AlignLeft,   "",        true,  false, 18},
    {"StaticText1",         K::Label,              34,  307, 388, 20, "MPD Playlists (double-click to see song names)",      "Arial",  12, true,  AlignCenter, "#000000", true,  false, 19},
    {"DisclosureTriangle1", K::DisclosureTriangle, 34,  271, 18,  18, "",                                                    "System", 0,  false, AlignLeft,   "",        true,  false, 20, "value=1"},
    {"Disclosure",          K::Label,              53,  269, 185, 20, "Hide Playlists and Song Titles",                      "Arial",  12, true,  AlignLeft,   "#000000", true,  false, 21},
    {"StaticText10",        K::Label,              470, 307, 100, 20, "Song Titles",                                         "Arial",  12, true,  AlignCenter, "#000000", true,  false, 22},
    {"StaticText11",        K::Label,              638, 307, 111, 20, "Number of Songs:",                                    "Arial",  12, true,  AlignRight,  "#000000", true,  false, 23},
    {"NoSongs",             K::Label,              756, 307, 50,  20, "0",                                                   "Arial",  12, true,  AlignLeft,   "#000000", true,  false, 24},
    {"Busy",                K::Label,              413, 307, 38,  20, "Busy",                                                "Arial",  12, true,  AlignCenter, "#FF0214", false, false, 25},
    {"ComboBox2",           K::ComboBox,           249, 463, 80,  20, "",                                                    "System", 0,  false, AlignLeft,   "",        true,  false, 26},
};

constexpr fw::TimerSpec kTimers[] = {
    {"Timer1", 5000}, // clears the answer display after a wrong last answer
    {"Timer2", 2500}, // hides the banner after every answer
    {"Timer3", 2000}, // presses Next Song after a right answer
    {"Timer4", 10000}, // the listening time of a song
};
// clang-format on

} // namespace

Window1& Window1::instance() {
    return fw::Instance<Window1>();
}

std::span<const fw::ControlSpec> Window1::LayoutTable() {
    return kControls;
}

Window1::Window1()
    : fw::Window(kWindow, kControls, kTimers), thread1_(std::make_unique<fw::Thread>("Thread1")) {
    SetMenuBar(MenuBar1::instance());
    WireEvents();
}

void Window1::WireEvents() {
    Enter().Action = [this] { Enter_Action(); };
    Quit().Action = [this] { Quit_Action(); };
    StartTest().Action = [this] { StartTest_Action(); };
    ComboBox1().Change = [this] { ComboBox1_Change(); };
    Timer1().Action = [this] { Timer1_Action(); };
    NextQuestion().Action = [this] { NextQuestion_Action(); };
    Timer2().Action = [this] { Timer2_Action(); };
    Timer3().Action = [this] { Timer3_Action(); };
    Kagi1().Action = [this] { Kagi1_Action(); };
    Timer4().Action = [this] { Timer4_Action(); };
    MoreTime().Action = [this] { MoreTime_Action(); };
    Playlists().Open = [this] { Playlists_Open(); };
    Playlists().DoubleClick = [this] { Playlists_DoubleClick(); };
    DisclosureTriangle1().Action = [this] { DisclosureTriangle1_Action(); };
    Thread1().RunHandler = [this] { Thread1_Run(); };
}

void Window1::Event_Open() {
    // Each step runs even when the one before it failed, so that the window is always ready for use
    // (a missing settings folder or script is reported, and the quiz still starts).
    fw::Guard([this] { getPlist(); });
    fw::Guard([] { AppleScript6({}); });
    fw::Guard([this] { GetiTunePlaylists(); });
    Initialize();
    EnterPhase(Phase::Idle);
    Answer().Visible(false);
    Label().Visible(false);
}

void Window1::Event_Close() {
    // Each step runs even when the one before it failed: a settings file that cannot be written must
    // not keep the program from quitting.
    fw::Guard([this] { savePlist(); });
    fw::Guard([] { AppleScript6({}); });
    fw::Quit(0);
}

void Window1::Initialize() {
    EnterPhase(Phase::Idle);
    Module1::Points = 0;
    NPoints().Text(QString::number(Module1::Points));
    Module1::Question = 0;
    QuestionNo().Text(QString::number(Module1::Question));
    ComboBox1().Text(QString());
    TestOver().Visible(false);
    GameScores& scores = GameScores::instance();
    scores.Left(10);
    scores.Top(70);
    scores.Hide();
    Answer().Visible(false);
    Banner().Visible(false);
    Label().Visible(false);
}
