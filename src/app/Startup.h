// The program's start-up and shutdown, in order: the game state, the application object with its menu
// bar and menu commands, the application's Open event, the main window, the event loop, the releases.
#pragma once

namespace Startup {

// Everything before the event loop; the QApplication must exist.
void Begin();
// Runs the event loop until the application quits; returns the exit code.
int RunEventLoop();
// The releases after the event loop: the open windows, the menu bar, then the game state.
void End();

// The whole run, from main().
int Main(int argc, char** argv);

} // namespace Startup
