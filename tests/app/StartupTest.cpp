// Start-up, the menu bar's commands and quitting, run against stub music-player scripts that log their
// runs.
#include "app/Startup.h"
#include "info/AboutBox.h"
#include "info/Help.h"
#include "quiz/Module1.h"
#include "quiz/Window1.h"
#include "scores/GameScores.h"
#include "support/TestSupport.h"
#include "update/selfTest.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

using StartupTest = testing_support::AppTest;

TEST_F(StartupTest, StartsInOrderTheEditMenuWorksOnTheFocusedTextAndQuitClosesTheProgram) {
    UseStubScripts({{172, "printf 'Library,Rock,Jazz'"},
                    {168, "printf %s \"$(seq 12 | sed 's/.*/Song &##%#/' | paste -sd, -)\""}});
    Startup::Begin();
    // The main window shows with its playlists; the High Scores window exists, hidden.
    Window1& main = Window1::instance();
    ProcessEvents();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    EXPECT_EQ(main.Playlists->ListCount(), 3);
    const GameScores* scores = fw::OpenInstance<GameScores>();
    EXPECT_TRUE(scores && !scores->isVisible());
    // The application opens (174) before the main window (173, 172, 174).
    EXPECT_EQ(ScriptLog(), (QStringList{"174", "173", "172", "174"}));

    main.Playlists->ListIndex(1);
    main.Playlists_DoubleClick();
    main.Thread1.wait();
    main.StartTest->click();
    ASSERT_EQ(Module1::Question, 1);
    // The choice box's text, as the Edit menu's items change it.
    QLineEdit* text = main.ComboBox1->lineEdit();
    text->setFocus();
    text->setText("Blue Moon");
    for (const char* item : {"EditSelectAll", "EditCut", "EditPaste", "EditPaste"})
        Choose(item);
    EXPECT_EQ(QApplication::clipboard()->text(), "Blue Moon");
    EXPECT_EQ(text->text(), "Blue MoonBlue Moon");
    text->setSelection(0, 5);
    Choose("EditClear");
    EXPECT_EQ(text->text(), "MoonBlue Moon");

    // Quitting while a test runs gives the player back the user's queue (173), and so does the
    // application's Close (173 again).
    QTest::keySequence(&main, QKeySequence("Ctrl+Q"));
    EXPECT_EQ(ScriptLog().mid(6), (QStringList{"173", "173"}));
    EXPECT_EQ(fw::OpenInstance<Window1>(), nullptr);
}

TEST_F(StartupTest, EachInformationCommandShowsItsWindowAndTheScoresAtTheLeftEdge) {
    UseStubScripts({});
    Startup::Begin();
    for (const char* item : {"ZDNHelpHelp", "CheckforUpdateCheckNow", "ScoresShow", "ZDNHelpAbout"})
        Choose(item);
    for (QWidget* window :
         std::initializer_list<QWidget*>{fw::OpenInstance<Help>(), fw::OpenInstance<selfTest>(),
                                         fw::OpenInstance<GameScores>(), fw::OpenInstance<AboutBox>()})
        EXPECT_TRUE(window && window->isVisible());
    GameScores::instance().move(420, 95);
    Choose("ScoresShow"); // back to the left edge, at the same height
    EXPECT_EQ(GameScores::instance().pos(), QPoint(10, 95));
}

TEST_F(StartupTest, APlayerThatDoesNotAnswerIsReportedOnceAndTheProgramStillStarts) {
    const QString refused = "echo 'MPD error: Connection refused' >&2; exit 1";
    UseStubScripts({{174, refused}, {173, refused}, {172, refused}});
    Startup::Begin();
    // The first run tells, with what to do; the rest of the opening neither asks the player again nor
    // repeats the message.
    EXPECT_EQ(services->messages,
              QStringList{"MPD does not answer (MPD error: Connection refused); start MPD or "
                          "set MPD_HOST, then double-click the playlist again."});
    EXPECT_EQ(ScriptLog(), QStringList{"174"});
    EXPECT_EQ(Window1::instance().Playlists->ListCount(), 0);
    EXPECT_TRUE(Window1::instance().StartTest->isDefault());
}
