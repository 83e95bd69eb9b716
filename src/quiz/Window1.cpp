#include "quiz/Window1.h"

#include "quiz/Module1.h"
#include "quiz/ScriptItems.h"
#include "scores/GameScores.h"

#include <QCloseEvent>
#include <QKeyEvent>

using A = fw::Align;
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
//   name                   kind                   left top  width h   text                                              font      size bold   align      colour     visible default tab options
    {"StaticText2",         K::Label,              26,  128, 324,  20, "Choose name of song from drop-down menu",        "System", 0,   true,  A::Center, "#000000", true,   false,  0},
    {"Enter",               K::PushButton,         503, 138, 110,  20, "Enter",                                          "System", 0,   true,  A::Left,   "",        true,   false,  1},
    {"StaticText5",         K::Label,              712, 193, 60,   20, "Points:",                                        "System", 0,   true,  A::Right,  "#000000", true,   false,  2},
    {"NPoints",             K::Label,              776, 193, 35,   20, "200",                                            "System", 0,   true,  A::Center, "#000000", true,   false,  3},
    {"Quit",                K::PushButton,         656, 22,  100,  20, "Quit Test",                                      "System", 0,   true,  A::Left,   "",        true,   false,  4},
    {"StartTest",           K::PushButton,         92,  22,  100,  20, "Start Test",                                     "System", 0,   true,  A::Left,   "",        true,   true,   5},
    {"Banner",              K::Label,              138, 67,  180,  30, "Banner",                                         "System", 22,  true,  A::Center, "#FF0214", false,  false,  6},
    {"ComboBox1",           K::ComboBox,           34,  158, 388,  20, "",                                               "System", 0,   false, A::Left,   "",        true,   false,  7},
    {"StaticText9",         K::Label,              712, 159, 60,   20, "Tune:",                                          "System", 0,   true,  A::Right,  "#000000", true,   false,  8},
    {"QuestionNo",          K::Label,              776, 159, 35,   20, "20",                                             "System", 0,   true,  A::Center, "#000000", true,   false,  9},
    {"Answer",              K::Label,              24,  229, 414,  30, "Answer",                                         "System", 0,   true,  A::Center, "#FF0214", false,  false,  10},
    {"Label",               K::Label,              131, 200, 200,  20, "Correct answer was",                             "System", 0,   true,  A::Center, "#000000", false,  false,  11},
    {"NextQuestion",        K::PushButton,         503, 181, 110,  20, "Next Song",                                      "System", 0,   true,  A::Left,   "",        true,   false,  12},
    {"TestOver",            K::Label,              710, 232, 119,  20, "Test Over!",                                     "System", 20,  true,  A::Center, "#FF0214", false,  false,  13},
    {"Kagi1",               K::PushButton,         503, 221, 110,  20, "Support Orvane",                                 "Arial",  12,  true,  A::Left,   "",        true,   false,  14},
    {"iTunes",              K::Listbox,            441, 330, 388,  82, "",                                               "System", 0,   false, A::Left,   "",        true,   false,  15, {.columns = 1}},
    {"MoreTime",            K::PushButton,         498, 95,  120,  20, "Need More Time",                                 "System", 12,  true,  A::Left,   "",        true,   false,  16},
    {"Playlists",           K::Listbox,            34,  330, 388,  82, "",                                               "System", 0,   false, A::Left,   "",        true,   false,  17, {.columns = 2, .widths = {10, 90}, .hscroll = true}},
    {"Separator1",          K::Separator,          20,  297, 809,  4,  "",                                               "System", 0,   false, A::Left,   "",        true,   false,  18},
    {"StaticText1",         K::Label,              34,  307, 388,  20, "MPD Playlists (double-click to see song names)", "Arial",  12,  true,  A::Center, "#000000", true,   false,  19},
    {"DisclosureTriangle1", K::DisclosureTriangle, 34,  271, 18,   18, "",                                               "System", 0,   false, A::Left,   "",        true,   false,  20, {.open = true}},
    {"Disclosure",          K::Label,              53,  269, 185,  20, "Hide Playlists and Song Titles",                 "Arial",  12,  true,  A::Left,   "#000000", true,   false,  21},
    {"StaticText10",        K::Label,              470, 307, 100,  20, "Song Titles",                                    "Arial",  12,  true,  A::Center, "#000000", true,   false,  22},
    {"StaticText11",        K::Label,              638, 307, 111,  20, "Number of Songs:",                               "Arial",  12,  true,  A::Right,  "#000000", true,   false,  23},
    {"NoSongs",             K::Label,              756, 307, 50,   20, "0",                                              "Arial",  12,  true,  A::Left,   "#000000", true,   false,  24},
    {"Busy",                K::Label,              413, 307, 38,   20, "Busy",                                           "Arial",  12,  true,  A::Center, "#FF0214", false,  false,  25},
    {"ComboBox2",           K::ComboBox,           249, 463, 80,   20, "",                                               "System", 0,   false, A::Left,   "",        true,   false,  26},
};
// clang-format on

// The timers' periods, in milliseconds.
constexpr int kTimer1Period = 5000;
constexpr int kTimer2Period = 2500;
constexpr int kTimer3Period = 2000;
constexpr int kTimer4Period = 10000;

void SetUpTimer(QTimer& timer, int period) {
    timer.setSingleShot(true);
    timer.setInterval(period);
    timer.setTimerType(Qt::PreciseTimer);
}

} // namespace

Window1& Window1::instance() {
    return fw::Instance<Window1>();
}

Window1::Window1() : form_(this, kWindow, kControls) {
    SetUpTimer(Timer1, kTimer1Period);
    SetUpTimer(Timer2, kTimer2Period);
    SetUpTimer(Timer3, kTimer3Period);
    SetUpTimer(Timer4, kTimer4Period);
    WireEvents();
}

void Window1::WireEvents() {
    using W = Window1;
    fw::on(Enter, &QPushButton::clicked, this, &W::Enter_Action);
    fw::on(Quit, &QPushButton::clicked, this, &W::Quit_Action);
    fw::on(StartTest, &QPushButton::clicked, this, &W::StartTest_Action);
    fw::on(ComboBox1, &QComboBox::activated, this, &W::ComboBox1_Change);
    fw::on(&Timer1, &QTimer::timeout, this, &W::Timer1_Action, fw::Step::Unattended);
    fw::on(NextQuestion, &QPushButton::clicked, this, &W::NextQuestion_Action);
    fw::on(&Timer2, &QTimer::timeout, this, &W::Timer2_Action, fw::Step::Unattended);
    fw::on(&Timer3, &QTimer::timeout, this, &W::Timer3_Action, fw::Step::Unattended);
    fw::on(Kagi1, &QPushButton::clicked, this, &W::Kagi1_Action);
    fw::on(&Timer4, &QTimer::timeout, this, &W::Timer4_Action, fw::Step::Unattended);
    fw::on(MoreTime, &QPushButton::clicked, this, &W::MoreTime_Action);
    fw::on(Playlists, &QTableWidget::cellDoubleClicked, this, &W::Playlists_DoubleClick);
    fw::on(DisclosureTriangle1, &QToolButton::clicked, this, &W::DisclosureTriangle1_Action);
}

void Window1::Event_Open() {
    // The window may show while a message of the opening is up: as it is, with no test.
    ShowNoTest();
    Playlists_Open();
    // Each step runs even when the one before it failed, so that the window is always ready for use
    // (a missing settings folder or script is reported, and the quiz still starts).
    fw::Guard([this] { getPlist(); });
    fw::Guard([] { AppleScript6({}); });
    fw::Guard([this] { GetiTunePlaylists(); });
    Initialize();
}

void Window1::closeEvent(QCloseEvent* event) {
    // One step, the application's Close included: an MPD that does not answer is waited for once. Each
    // part runs even when the one before it failed: a settings file that cannot be written must not keep
    // the program from quitting.
    const fw::Step quitting;
    fw::Guard([this] { savePlist(); });
    fw::Guard([] {
        try {
            AppleScript6({});
        } catch (const fw::NoAnswerError&) {
            // Not worth a box at quit: the saved queue waits for the next start.
        }
    });
    event->accept();
    emit closed();
}

void Window1::keyPressEvent(QKeyEvent* event) {
    const bool isReturn = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (isReturn && !(event->modifiers() & ~Qt::KeypadModifier))
        for (QPushButton* button : {StartTest, Enter, NextQuestion, MoreTime})
            if (button->isDefault() && button->isEnabled() && button->isVisible())
                return button->click();
    QMainWindow::keyPressEvent(event);
}

void Window1::Initialize() {
    ShowNoTest();
    GameScores& scores = GameScores::instance();
    fw::PlaceOnScreen(&scores, {10, 70});
    scores.hide();
}

void Window1::ShowNoTest() {
    EnterPhase(Phase::Idle);
    Module1::Points = 0;
    NPoints->setText(QString::number(Module1::Points));
    Module1::Question = 0;
    QuestionNo->setText(QString::number(Module1::Question));
    ComboBox1->setEditText(QString());
    TestOver->setVisible(false);
    Answer->setVisible(false);
    Banner->setVisible(false);
    Label->setVisible(false);
}
