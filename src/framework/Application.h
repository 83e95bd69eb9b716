// The application object: its menu bar, the menu handlers bound by item name, its Open and Close events,
// the running program's version values, and quitting.
#pragma once

#include <QHash>
#include <QString>
#include <functional>

namespace fw {

class MenuBar;
class Window;

class Application {
public:
    Application();
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The registered application object; nullptr before Register.
    static Application* Instance();
    void Register();

    void SetMenuBar(MenuBar* bar) { menuBar_ = bar; }
    MenuBar* GetMenuBar() const { return menuBar_; }

    // Binds a handler to every menu item of that name; the handler returns whether it handled the choice.
    void AddMenuHandler(const QString& itemName, std::function<bool()> handler);
    bool HasMenuHandler(const QString& itemName) const { return handlers_.contains(itemName); }
    // Runs the handler bound to the item; false when none is bound.
    bool HandleMenuCommand(const QString& itemName);

    // Raised once at start-up and once when the application quits.
    void RaiseOpen();
    void RaiseClose();

    int MajorVersion() const;
    int MinorVersion() const;
    int BugVersion() const;
    QString ShortVersion() const;
    QString LongVersion() const;

    // The Quit menu item: closes the default window, whose Close event quits; else quits at once.
    static void RequestQuit();
    // True once Quit has been called in this run.
    static bool QuitRequested();
    static void ResetQuitRequested();
    // What quitting does after the Close event: leave the event loop (the default). Tests, which run no
    // main loop, replace it, since a request to leave would end every later nested loop at once.
    static void SetExitAction(std::function<void(int code)> action);

protected:
    virtual void Event_Open() {}
    virtual void Event_Close() {}

private:
    MenuBar* menuBar_ = nullptr;
    QHash<QString, std::function<bool()>> handlers_;
    bool closed_ = false;
};

// Ends the application: raises its Close event, then leaves the event loop with the code.
void Quit(int code = 0);

} // namespace fw
