// The program's start-up and shutdown, in order: the quit signals, the one quiz per MPD, the game state,
// the application object, its Open event, the main window with the menu bar and its commands; after the
// event loop, the releases.
#pragma once

#include <optional>

namespace Startup {

// Everything before the event loop; the QApplication must exist. Closing the main window runs the
// application's Close event and quits the event loop; SIGTERM, SIGINT and SIGHUP close it, from the first
// moment. Returns the exit code when the program ends without its event loop: another quiz runs for the
// same MPD (1), or a quit came while a message of the opening was up (0).
std::optional<int> Begin();
// The releases after the event loop: the signals' former dispositions, the open windows, the application
// object, the game state, then the lock.
void End();

} // namespace Startup
