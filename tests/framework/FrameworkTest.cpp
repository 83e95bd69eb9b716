// The framework: what a failing script run raises and says and the wait for MPD that the scripts get
// (against stub scripts), and placing windows on the screen.
#include "framework/Errors.h"
#include "framework/ScriptRunner.h"
#include "info/AboutBox.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QScreen>

using namespace testing_support;
using fw::ScriptRunner;

namespace {

using FrameworkTest = AppTest;

TEST_F(FrameworkTest, FailuresSayWhatWentWrongAndTheWaitForMpdIsTheUsersChoice) {
    // Only the exit status 69 says that MPD does not answer, whatever the words.
    UseStubScripts({{168, "echo 'MPD does not answer, or so it seems' >&2; exit 1"},
                    {174, "echo 'MPD error: Connection refused' >&2; exit 69"},
                    {170, "echo 'MPD error: No such playlist' >&2; exit 1"},
                    {171, "printf %s \"$MPD_TIMEOUT\"; exit ${1:-3}"},
                    {172, "sleep 5"},
                    {173, "exit 69"}});
    const QString play = ScriptRunner::BundleDir() + "/169";
    ASSERT_TRUE(QFile::setPermissions(play, QFile::ReadOwner | QFile::WriteOwner)); // no longer a program
    ScriptRunner::SetTimeLimit(300);
    const std::tuple<int, int, QString> cases[] = {
        {168, 1, "MPD does not answer, or so it seems"},
        {169, 0, "The music player script " + play + " cannot be run: execve: Permission denied"},
        {174, -1, "MPD error: Connection refused"},
        {170, 1, "MPD error: No such playlist"},
        {171, 3, "The music player script 171 failed (exit code 3)."},
        {172, -1, "MPD does not answer (script 172 did not finish within 0.3 seconds and was stopped)"},
        {173, -1, "MPD does not answer (script 173)"},
    };
    for (const auto& [script, status, message] : cases) {
        try {
            ScriptRunner::Run(script);
            ADD_FAILURE() << script << " did not fail";
        } catch (const fw::Error& e) {
            // -1: MPD does not answer; 0: the script did not run; else the script's exit status.
            const auto* failure = dynamic_cast<const fw::ScriptError*>(&e);
            EXPECT_EQ(dynamic_cast<const fw::NoAnswerError*>(&e) ? -1
                      : failure                                  ? failure->ExitCode()
                                                                 : 0,
                      status);
            EXPECT_EQ(e.Message(), message);
        }
    }
    ScriptRunner::SetTimeLimit(10000);
    // The wait the user chose, in whole seconds up to a minute; mpc would wait 30 s for what it cannot read.
    const QByteArray users = qgetenv("MPD_TIMEOUT");
    for (const QString& wait :
         QString("7=7 3000000=60 1e12=60 inf=60 0.5=1 abc=3 nan=3 0=3 -5=3").split(' ')) {
        qputenv("MPD_TIMEOUT", wait.section('=', 0, 0).toUtf8());
        EXPECT_EQ(ScriptRunner::Run(171, {"0"}), wait.section('=', 1)) << qPrintable(wait);
    }
    users.isNull() ? qunsetenv("MPD_TIMEOUT") : qputenv("MPD_TIMEOUT", users);
}

TEST_F(FrameworkTest, APlaceOffTheScreenMovesJustEnoughToLieOnIt) {
    const QRect area(0, 30, 800, 570); // below a panel at the top
    const std::tuple<QPoint, QSize, QPoint> cases[] = {
        {{740, 70}, {358, 95}, {442, 70}}, // past the right edge
        {{-5, 550}, {200, 100}, {0, 500}}, // past the left and the bottom edge
        {{300, 300}, {900, 700}, {0, 30}}, // larger than the screen: its top-left corner on it
    };
    for (const auto& [wanted, size, placed] : cases)
        EXPECT_EQ(fw::FitOnScreen(wanted, size, area), placed) << wanted.x() << "," << wanted.y();

    // A window placed before it shows is placed again once its frame is known.
    AboutBox& box = AboutBox::instance();
    const QRect screen = box.screen()->availableGeometry();
    fw::PlaceOnScreen(&box, {screen.right() - 50, 70});
    box.setFixedWidth(box.width() + 100); // as a frame would make it wider
    fw::Present(&box);
    EXPECT_EQ(box.frameGeometry().topRight(), QPoint(screen.right(), 70));
}

} // namespace
