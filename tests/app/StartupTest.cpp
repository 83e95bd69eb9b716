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

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QLockFile>
#include <QTest>
#include <csignal>

using StartupTest = testing_support::AppTest;
using testing_support::HandlerOf;
using testing_support::ReadFile;
using testing_support::WriteFile;

// A script says that MPD does not answer by its exit status alone, and where; the program says what to do.
const QString kTimeout = "echo 'MPD does not answer at here' >&2; exit 69";
const QString kAtStartUp =
    "MPD does not answer at here: start MPD or set MPD_HOST, then start Zandolin again.";

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
    EXPECT_EQ(services->messages, QStringList{kAtStartUp});
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

// Ctrl+C reaches the quiz, not its script (in a process group of its own); the quit follows the script and
// runs 173. After it, any quit signal ends the program.
TEST_F(StartupTest, CtrlCWhileAScriptRunsQuitsAfterItAndGivesTheQueueBack) {
    UseStubScripts({{169, "kill -INT $PPID; read -r _ _ _ _ group _ </proc/$$/stat; [ $group = $$ ]"}});
    const auto former = std::signal(SIGINT, SIG_DFL); // a shell ignores it for a job in the background
    Startup::Begin();
    Window1& main = Window1::instance();
    for (const char* title : {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J"})
        main.iTunes->AddRow(title);
    QTimer::singleShot(0, main.StartTest, &QPushButton::click);
    EXPECT_EQ(RunUntilQuit(), 0);
    EXPECT_TRUE(ScriptLog().value(4).startsWith("169") && ScriptLog().mid(5) == QStringList({"173", "173"}));
    EXPECT_EQ(services->messages, QStringList());
    for (const int number : {SIGINT, SIGTERM, SIGHUP})
        EXPECT_EQ(HandlerOf(number), SIG_DFL) << number;
    Startup::End();
    std::signal(SIGINT, former);
}

// A quit while a real box of the opening is up is File > Quit: the box closes, nothing more runs, and the
// program ends with status 0. Meanwhile the window shows no test.
TEST_F(StartupTest, AQuitSignalDuringAStartUpMessageEndsTheProgramAsFileQuitDoes) {
    UseStubScripts({{173, kTimeout}});
    WriteFile(ConfigFile("zandolin.txt"), "False\n");
    auto recording = fw::SetServices(nullptr); // the real boxes
    bool noTest = false;
    QTimer::singleShot(0, [&noTest] {
        const Window1* w = fw::OpenInstance<Window1>();
        noTest = w && w->QuestionNo->text() + w->NPoints->text() == "00" && !w->Enter->isEnabled() &&
                 !w->NextQuestion->isEnabled() && !w->MoreTime->isEnabled();
        if (HandlerOf(SIGTERM) != SIG_DFL) // a test that would end the test program fails instead
            raise(SIGTERM);
    });
    QTimer stuck;
    stuck.callOnTimeout([] { QApplication::activeModalWidget()->close(); });
    stuck.start(10000);
    EXPECT_EQ(Startup::Begin(), 0);
    EXPECT_TRUE(stuck.isActive() && noTest);
    fw::SetServices(std::move(recording));
    EXPECT_EQ(ScriptLog(), (QStringList{"174", "173"})); // the opening's step knows that MPD is silent
    EXPECT_EQ(ReadFile(ConfigFile("zandolin.txt")), "False\n");
    EXPECT_EQ(fw::OpenInstance<Window1>(), nullptr);
}

// A second quiz for one MPD touches nothing and says why; a crashed run's lock and another MPD's do not
// count.
TEST_F(StartupTest, OneQuizPerMpdAndALockLeftByACrashKeepsNoOneOut) {
    UseStubScripts({});
    ASSERT_TRUE(QDir().mkpath(ConfigFile("state/zandolin")));
    QLockFile running(ConfigFile("state/zandolin/quiz-localhost-6600.lock"));
    ASSERT_TRUE(running.tryLock());
    qputenv("MPD_HOST", "secret@LocalHost");
    qputenv("MPD_PORT", "6600");
    EXPECT_EQ(Startup::Begin(), 1);
    EXPECT_TRUE(services->messages.value(0).startsWith("Zandolin is already running for the MPD at localhost "
                                                       "port 6600.  One MPD has one queue"));
    EXPECT_TRUE(ScriptLog().isEmpty() && !fw::OpenInstance<Window1>());
    Startup::End();
    qputenv("MPD_PORT", "6601");
    EXPECT_EQ(Startup::Begin(), std::nullopt);
    Startup::End();
    // The lock of a process that is gone (a number above any process's).
    QByteArray left = ReadFile(running.fileName()).toUtf8();
    running.unlock();
    WriteFile(running.fileName(), left.replace(0, left.indexOf('\n'), "99999999"));
    qunsetenv("MPD_HOST");
    qunsetenv("MPD_PORT");
    EXPECT_EQ(Startup::Begin(), std::nullopt);
    EXPECT_EQ(ScriptLog().size(), 8); // the two that opened
}
