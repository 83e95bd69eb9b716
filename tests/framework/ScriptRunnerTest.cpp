// The script runner against stub scripts: what a failing run raises and says, the wait for MPD that the
// scripts get, and how often a player that does not answer is asked and reported.
#include "framework/ScriptRunner.h"
#include "framework/Errors.h"
#include "support/TestSupport.h"

#include <QScopeGuard>

using namespace testing_support;
using fw::ScriptRunner;

namespace {

const QString kWhatToDo = "; start MPD or set MPD_HOST, then double-click the playlist again.";
const QString kTimeout = "echo 'MPD error: Timeout' >&2; exit 1";

using ScriptRunnerTest = AppTest;

TEST_F(ScriptRunnerTest,
       FailuresSayWhetherThePlayerAnswersAndWhatToDoAndTheWaitForMpdIsShortUnlessTheUserChoseIt) {
    const QString own = "MPD does not answer at /run/mpd/socket" + kWhatToDo;
    UseStubScripts({{168, kTimeout},
                    {169, "echo '" + own + "' >&2; exit 1"},
                    {170, "echo 'MPD error: No such playlist' >&2; exit 1"},
                    {171, "exit 3"},
                    {172, "sleep 5"},
                    {173, "printf %s \"$MPD_TIMEOUT\""}});
    ScriptRunner::SetTimeLimit(300);
    const auto restore = qScopeGuard([] { ScriptRunner::SetTimeLimit(10000); });
    const std::tuple<int, bool, QString> cases[] = {
        {168, true, "MPD does not answer (MPD error: Timeout)" + kWhatToDo},
        {169, true, own},
        {170, false, "MPD error: No such playlist"},
        {171, false, "The music player script 171 failed (exit code 3)."},
        {172, true,
         "MPD does not answer (script 172 did not finish within 0.3 seconds and was stopped)" + kWhatToDo},
    };
    for (const auto& [script, noAnswer, message] : cases) {
        try {
            ScriptRunner::Run(script);
            ADD_FAILURE() << script << " did not fail";
        } catch (const fw::Error& e) {
            EXPECT_EQ(dynamic_cast<const fw::NoAnswerError*>(&e) != nullptr, noAnswer) << script;
            EXPECT_EQ(e.Message(), message);
        }
    }
    // The scripts wait for MPD briefly, unless the user chose how long.
    const QByteArray users = qgetenv("MPD_TIMEOUT");
    const auto restoreUsers =
        qScopeGuard([&] { users.isNull() ? qunsetenv("MPD_TIMEOUT") : qputenv("MPD_TIMEOUT", users); });
    qunsetenv("MPD_TIMEOUT");
    EXPECT_EQ(ScriptRunner::Run(173), QString::number(ScriptRunner::MpdWaitSeconds));
    qputenv("MPD_TIMEOUT", "7");
    EXPECT_EQ(ScriptRunner::Run(173), "7");
}

// Within one step a player that does not answer is asked and reported once (StartupTest shows it).
TEST_F(ScriptRunnerTest, ATimersStepAsksAgainButTellsOnlyWhenThePlayerHasAnsweredSince) {
    UseStubScripts({{170, kTimeout}});
    const auto run = [](int script) { return [script] { ScriptRunner::Run(script); }; };
    fw::Guard(run(170));
    fw::GuardUnattended(run(170));
    EXPECT_EQ(services->messages.size(), 1);
    fw::Guard(run(170)); // the user's own step tells again
    EXPECT_EQ(services->messages.size(), 2);
    ScriptRunner::Run(171);
    fw::GuardUnattended(run(170));
    EXPECT_EQ(services->messages.size(), 3);
    EXPECT_EQ(ScriptLog(), (QStringList{"170", "170", "170", "171", "170"}));
}

} // namespace
