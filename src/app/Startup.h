// The program's start-up and shutdown, in order: the game state, the application object, its Open event,
// the main window with the menu bar and its commands; after the event loop, the releases.
#pragma once

class App;

namespace Startup {

// Everything before the event loop; the QApplication must exist. Closing the main window runs the
// application's Close event and quits the event loop; SIGTERM, SIGINT and SIGHUP close it.
App& Begin();
// The releases after the event loop: the signals' former dispositions, the open windows, the application
// object, then the game state.
void End();

} // namespace Startup
