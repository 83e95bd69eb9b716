// Start-up and quitting, run against stub music-player scripts that log their runs.
#include "app/Startup.h"
#include "quiz/Module1.h"
#include "quiz/Window1.h"
#include "scores/GameScores.h"
#include "support/TestSupport.h"

#include <QMenuBar>
#include <QSignalSpy>

using namespace testing_support;

class StartupTest : public AppTest {};

TEST_F(StartupTest, StartsInOrderAndQuitsThroughTheMainWindow) {
    UseStubScripts({{172, "printf 'Library,Rock,Jazz'"},
                    {168, "printf %s \"$(seq 12 | sed 's/.*/Song &##%#/' | paste -sd, -)\""}});
    Startup::Begin();

    // The game state: five empty choices, a generator, nothing else yet.
    EXPECT_EQ(Module1::ChoiceArray, QStringList(5, QString()));
    ASSERT_NE(Module1::R, nullptr);
    EXPECT_EQ(Module1::Points, 0);
    EXPECT_EQ(Module1::Question, 0);
    EXPECT_TRUE(Module1::Name.isEmpty());
    EXPECT_TRUE(Module1::SoundFlag); // the settings file was created with "True"

    // The main window shows with its playlists and menu bar; the High Scores window exists, hidden.
    Window1& main = Window1::instance();
    ProcessEvents();
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(main.windowTitle(), "Zandolin");
    EXPECT_EQ(main.menuBar()->actions().size(), 5);
    EXPECT_EQ(main.Playlists->ListCount(), 3);
    ASSERT_NE(fw::OpenInstance<GameScores>(), nullptr);
    EXPECT_FALSE(GameScores::instance().isVisible());
    EXPECT_EQ(GameScores::instance().pos(), QPoint(10, 70));

    // The application opens (174) before the main window (173, 172, 174).
    EXPECT_EQ(ScriptLog(), (QStringList{"174", "173", "172", "174"}));

    // Closing the main window while a test runs saves the settings, runs 173, then the application's
    // Close runs 173 (the player gets the user's queue back).
    main.Playlists->ListIndex(1);
    main.Playlists_DoubleClick();
    main.Thread1.wait();
    main.StartTest->click();
    ASSERT_EQ(Module1::Question, 1);
    const QSignalSpy closed(&main, &Window1::closed);
    Module1::SoundFlag = false;
    main.close();
    EXPECT_EQ(closed.size(), 1);
    EXPECT_EQ(ReadFile(ConfigFile("zandolin.txt")), "False\n");
    EXPECT_EQ(ScriptLog().mid(6), (QStringList{"173", "173"}));
    EXPECT_EQ(fw::OpenInstance<Window1>(), nullptr);

    Startup::End();
    EXPECT_EQ(Module1::R, nullptr);
    EXPECT_TRUE(Module1::ChoiceArray.isEmpty());
    EXPECT_EQ(fw::OpenInstance<GameScores>(), nullptr);
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
    Window1& main = Window1::instance();
    EXPECT_EQ(main.Playlists->ListCount(), 0);
    EXPECT_TRUE(main.StartTest->isDefault());
    main.close();
    Startup::End();
}
