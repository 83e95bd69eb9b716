// Start-up, the menu bar's commands and quitting, and how a player that does not answer is reported; run
// against stub music-player scripts that log their runs.
#include "app/Startup.h"
#include "framework/ScriptRunner.h"
#include "info/AboutBox.h"
#include "info/Help.h"
#include "quiz/Window1.h"
#include "scores/GameScores.h"
#include "support/TestSupport.h"
#include "update/selfTest.h"

#include <QLineEdit>
#include <QTest>
#include <csignal>

using StartupTest = testing_support::AppTest;

// A script says that MPD does not answer by its exit status alone.
const QString kTimeout = "echo 'MPD does not answer at here: start it.' >&2; exit 69";

TEST_F(StartupTest, StartsInOrderTheEditMenuWorksOnTheFocusedTextAndQuitClosesTheProgram) {
    UseStubScripts({{172, "printf 'Library,Rock,Jazz'"}});
    Startup::Begin();
    // The main window shows; the High Scores window exists, hidden.
    Window1& main = Window1::instance();
    ProcessEvents();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    const GameScores* scores = fw::OpenInstance<GameScores>();
    EXPECT_TRUE(scores && !scores->isVisible());
    // The application opens (174) before the main window (173, 172, 174).
    EXPECT_EQ(ScriptLog(), (QStringList{"174", "173", "172", "174"}));

    // The choice box's text, as the Edit menu's items change it.
    QLineEdit* text = main.ComboBox1->lineEdit();
    main.ComboBox1->setEnabled(true);
    text->setFocus();
    text->setText("Blue Moon");
    for (const char* item : {"EditSelectAll", "EditCut", "EditPaste", "EditPaste"})
        Choose(item);
    EXPECT_EQ(text->text(), "Blue MoonBlue Moon");
    text->setSelection(0, 5);
    Choose("EditClear");
    EXPECT_EQ(text->text(), "MoonBlue Moon");

    // Quitting gives the player back the user's queue (173), and so does the application's Close.
    QTest::keySequence(&main, QKeySequence("Ctrl+Q"));
    EXPECT_EQ(ScriptLog().mid(4), (QStringList{"173", "173"}));
    EXPECT_EQ(fw::OpenInstance<Window1>(), nullptr);
}

TEST_F(StartupTest, EachInformationCommandShowsItsWindowAndTheScoresAtTheLeftEdge) {
    UseStubScripts({});
    Startup::Begin();
    for (const char* item : {"ZDNHelpHelp", "CheckforUpdateCheckNow", "ScoresShow", "ZDNHelpAbout"})
        Choose(item);
    for (QWidget* window : std::initializer_list<QWidget*>{
             fw::OpenInstance<Help>(), fw::OpenInstance<selfTest>(), fw::OpenInstance<AboutBox>()})
        EXPECT_TRUE(window && window->isVisible());
    GameScores::instance().move(420, 95);
    Choose("ScoresShow"); // back to the left edge, at the same height
    EXPECT_EQ(GameScores::instance().pos(), QPoint(10, 95));
}

TEST_F(StartupTest, APlayerThatDoesNotAnswerIsAskedOncePerStepAndReportedOnce) {
    UseStubScripts({{174, kTimeout}, {173, kTimeout}, {172, kTimeout}, {170, kTimeout}});
    // The opening is one step: its first run tells what to do, and no later run asks again.
    Startup::Begin();
    EXPECT_EQ(services->messages, QStringList{"MPD does not answer at here: start it."});
    const auto run = [](int script) { return [script] { fw::ScriptRunner::Run(script); }; };
    // A timer's step asks again but does not repeat what the user was told; the user's own step does.
    fw::GuardUnattended(run(170));
    EXPECT_EQ(services->messages.size(), 1);
    fw::Guard(run(170));
    EXPECT_EQ(services->messages.size(), 2);
    // Once the player has answered, a timer's step tells again.
    fw::ScriptRunner::Run(171);
    fw::GuardUnattended(run(170));
    Choose("FileQuit"); // puts up no box (the saved queue waits for the next start) and asks the player once
    EXPECT_EQ(services->messages.size(), 3);
    EXPECT_EQ(ScriptLog(), (QStringList{"174", "170", "170", "171", "170", "173"}));
}

// Ctrl+C in a terminal reaches the running script too: the quit comes after it and still runs 173.
TEST_F(StartupTest, CtrlCWhileAScriptRunsQuitsAfterItAndGivesTheQueueBack) {
    UseStubScripts({{169, "kill -INT $PPID $$"}});
    const auto former = std::signal(SIGINT, SIG_DFL); // a shell ignores it for a job in the background
    Startup::Begin();
    Window1& main = Window1::instance();
    for (const char* title : {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J"})
        main.iTunes->AddRow(title);
    QTimer::singleShot(0, main.StartTest, &QPushButton::click);
    EXPECT_EQ(RunUntilQuit(), 0);
    EXPECT_TRUE(ScriptLog().value(4).startsWith("169") && ScriptLog().mid(5) == QStringList({"173", "173"}));
    Startup::End();
    std::signal(SIGINT, former);
}
