// Start-up, the menu bar's commands and quitting, run against stub music-player scripts that log their
// runs.
#include "app/Startup.h"
#include "info/AboutBox.h"
#include "info/Help.h"
#include "quiz/Window1.h"
#include "scores/GameScores.h"
#include "support/TestSupport.h"
#include "update/selfTest.h"

#include <QLineEdit>
#include <QTest>

using StartupTest = testing_support::AppTest;

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
