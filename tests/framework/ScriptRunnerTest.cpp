// The script runner against stub scripts: what a failing run raises and says, the wait for MPD that the
// scripts get, and how often a player that does not answer is asked and reported.
#include "framework/ScriptRunner.h"
#include "framework/Errors.h"
#include "support/TestSupport.h"

#include <QScopeGuard>

using namespace testing_support;

namespace {

const QString kWhatToDo = "; start MPD or set MPD_HOST, then double-click the playlist again.";
const QString kTimeout = "echo 'MPD error: Timeout' >&2; exit 1";

QString RunScript(int script) {
    return fw::ScriptRunner::Run(script);
}

class ScriptRunnerTest : public AppTest {};

TEST_F(ScriptRunnerTest, FailuresSayWhetherThePlayerAnswersAndWhatToDo) {
    const QString own = "MPD does not answer at /run/mpd/socket" + kWhatToDo;
    UseStubScripts({{168, kTimeout},
                    {169, "echo '" + own + "' >&2; exit 1"},
                    {170, "echo 'MPD error: No such playlist' >&2; exit 1"},
                    {171, "exit 3"},
                    {172, "sleep 5"}});
    fw::ScriptRunner::SetTimeLimit(300);
    const auto restore = qScopeGuard([] { fw::ScriptRunner::SetTimeLimit(10000); });
    struct Case {
        int script;
        bool noAnswer;
        QString message;
    };
    for (const Case& c : std::vector<Case>{
             {168, true, "MPD does not answer (MPD error: Timeout)" + kWhatToDo},
             {169, true, own},
             {170, false, "MPD error: No such playlist"},
             {171, false, "The music player script 171 failed (exit code 3)."},
             {172, true,
              "MPD does not answer (script 172 did not finish within 0.3 seconds and was stopped)" +
                  kWhatToDo}}) {
        try {
            RunScript(c.script);
            ADD_FAILURE() << c.script << " did not fail";
        } catch (const fw::NoAnswerError& e) {
            EXPECT_TRUE(c.noAnswer) << c.script;
            EXPECT_EQ(e.Message(), c.message);
        } catch (const fw::Error& e) {
            EXPECT_FALSE(c.noAnswer) << c.script;
            EXPECT_EQ(e.Message(), c.message);
        }
    }
}

TEST_F(ScriptRunnerTest, ScriptsWaitForMpdBrieflyUnlessTheUserChoseHowLong) {
    UseStubScripts({{172, "printf %s \"$MPD_TIMEOUT\""}});
    const QByteArray users = qgetenv("MPD_TIMEOUT");
    const auto restore =
        qScopeGuard([&users] { users.isNull() ? qunsetenv("MPD_TIMEOUT") : qputenv("MPD_TIMEOUT", users); });
    qunsetenv("MPD_TIMEOUT");
    EXPECT_EQ(RunScript(172), QString::number(fw::ScriptRunner::MpdWaitSeconds));
    qputenv("MPD_TIMEOUT", "7");
    EXPECT_EQ(RunScript(172), "7");
}

TEST_F(ScriptRunnerTest, APlayerThatDoesNotAnswerIsAskedOncePerStepAndReportedOnce) {
    UseStubScripts({{169, kTimeout}, {170, kTimeout}});
    // Within one step, nested handlers included, the second run fails at once and adds no message.
    fw::Guard([] {
        fw::Guard([] { RunScript(169); });
        RunScript(170);
    });
    EXPECT_EQ(ScriptLog(), QStringList{"169"});
    EXPECT_EQ(services->messages.size(), 1);
    // A timer's step asks again but does not repeat what the user was told; the user's own step does.
    fw::GuardUnattended([] { RunScript(170); });
    EXPECT_EQ(services->messages.size(), 1);
    fw::Guard([] { RunScript(170); });
    EXPECT_EQ(services->messages.size(), 2);
    // Once the player has answered, a timer's step tells again.
    RunScript(171);
    fw::GuardUnattended([] { RunScript(170); });
    EXPECT_EQ(services->messages.size(), 3);
    EXPECT_EQ(ScriptLog(), (QStringList{"169", "170", "170", "171", "170"}));
}

} // namespace
