// The program's menu bar: File, Edit, Scores, Check for Update and ZDN Help.
#pragma once

class App;
class QMainWindow;

namespace MenuBar1 {

// Builds the menu bar into the main window: Quit closes the window, the Edit commands act on the focused
// text control, and the four commands of the last three menus run app's handlers.
void Build(App& app, QMainWindow& main);

} // namespace MenuBar1
