// Runs the numbered scripts bundled with the program. Each parameter is one argument (never through a
// shell); standard output is the reply (UTF-8) and standard error the text of a failure.
//
// The scripts drive MPD through mpc, whose every wait for MPD is bounded by MPD_TIMEOUT; the runner passes
// them the wait it allows for (a short one unless the user has chosen their own), and ends a run that
// outlives a hard bound. On the main thread a run blocks: no timer, input or queued call runs in the middle
// of the handler that started it, and the busy cursor shows meanwhile.
//
// A script says by its exit status alone that MPD does not answer. Once a run in a step (see fw::Step)
// finds so, later runs in that step fail at once with the same error instead of waiting again.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace fw {

class ScriptRunner {
public:
    // Seconds that each mpc call waits for MPD unless the user's environment sets MPD_TIMEOUT to a number
    // above 0 (anything else counts as unset here, where mpc would wait 30 s), and the most that a wait
    // set there counts for: a longer one would leave the window blocked for good. mpc reads whole seconds:
    // a fraction is passed on as the next whole second.
    static constexpr int MpdWaitSeconds = 3;
    static constexpr int MostMpdWaitSeconds = 60;
    // The exit status by which a script says that MPD does not answer (EX_UNAVAILABLE); the scripts
    // decide it, and the runner takes their word for it.
    static constexpr int NoAnswerStatus = 69;

    // Runs script `number`, in a process group of its own, and returns its reply. Raises fw::Error when
    // the script cannot start, fw::ScriptError when it exits with an error, fw::NoAnswerError (where MPD
    // was not reached; what to do is the caller's to say) when MPD does not answer or the run outlives the
    // hard bound (its group is then ended).
    static QString Run(int number, const QStringList& arguments = {});

    // Where the scripts are: next to the binary ("scripts/") in a build tree, or
    // "../share/zandolin/scripts" when installed. Tests may point it elsewhere.
    static QString BundleDir();
    static void SetBundleDir(const QString& dir);
    // The hard bound on one run, in milliseconds (10 s); a wait for MPD that the user set through
    // MPD_TIMEOUT stretches it to that wait (at most MostMpdWaitSeconds) plus two seconds.
    static void SetTimeLimit(int milliseconds);
    static int TimeLimit();
    // Called on the running thread while a run is under way, with the script's number; for tests.
    static void SetRunObserver(std::function<void(int)> observer);
};

} // namespace fw
