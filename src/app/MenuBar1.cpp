#include "app/MenuBar1.h"

#include <memory>
#include <optional>

namespace {

std::unique_ptr<MenuBar1>& Implicit() {
    static std::unique_ptr<MenuBar1> bar;
    return bar;
}

struct ItemSpec {
    const char* name;
    fw::MenuItem::Role role;
    const char* text;
    const char* shortcut; // nullptr: never assigned (separators)
};

// One menu: its title, then its items in order.
void BuildMenu(fw::MenuBar& bar, const ItemSpec& title, std::initializer_list<ItemSpec> items) {
    auto menu = std::make_unique<fw::MenuItem>();
    menu->Name = QString::fromUtf8(title.name);
    menu->AutoEnable = true;
    menu->Text = QString::fromUtf8(title.text);
    menu->KeyboardShortcut = QString();
    bar.Append(std::move(menu));
    for (const ItemSpec& entry : items) {
        auto item = std::make_unique<fw::MenuItem>(entry.role);
        item->Name = QString::fromUtf8(entry.name);
        item->AutoEnable = true;
        item->Text = QString::fromUtf8(entry.text);
        if (entry.shortcut)
            item->KeyboardShortcut = QString::fromUtf8(entry.shortcut);
        bar.Child(QString::fromUtf8(title.name)).Append(std::move(item));
    }
}

using Role = fw::MenuItem::Role;

} // namespace

MenuBar1& MenuBar1::instance() {
    auto& bar = Implicit();
    if (!bar)
        bar.reset(new MenuBar1);
    return *bar;
}

void MenuBar1::Release() {
    Implicit().reset();
}

bool MenuBar1::Exists() {
    return Implicit() != nullptr;
}

MenuBar1::MenuBar1() {
    Untitled0();
    Untitled1();
    Untitled2();
    Untitled3();
    Untitled4();
}

void MenuBar1::Untitled0() {
    BuildMenu(*this, {"FileMenu", Role::Normal, "&File", ""}, {{"FileQuit", Role::Quit, "Quit", "Cmd+Q"}});
}

void MenuBar1::Untitled1() {
    BuildMenu(*this, {"EditMenu", Role::Normal, "&Edit", ""},
              {
                  {"EditUndo", Role::Normal, "&Undo", "Cmd+Z"},
                  {"UntitledMenu1", Role::Normal, "-", nullptr},
                  {"EditCut", Role::Normal, "Cu&t", "Cmd+X"},
                  {"EditCopy", Role::Normal, "&Copy", "Cmd+C"},
                  {"EditPaste", Role::Normal, "&Paste", "Cmd+V"},
                  {"EditClear", Role::Normal, "Clear", ""},
                  {"UntitledMenu0", Role::Normal, "-", nullptr},
                  {"EditSelectAll", Role::Normal, "Select &All", "Cmd+A"},
              });
}

void MenuBar1::Untitled2() {
    BuildMenu(*this, {"ScoresMenu", Role::Normal, "Scores", ""},
              {{"ScoresShow", Role::Normal, "Show Scores", ""}});
}

void MenuBar1::Untitled3() {
    BuildMenu(*this, {"CheckforUpdateMenu", Role::Normal, "Check for Update", ""},
              {{"CheckforUpdateCheckNow", Role::Normal, "Check Now", ""}});
}

// About... stays in this last menu, where Linux programs keep it.
void MenuBar1::Untitled4() {
    BuildMenu(
        *this, {"ZDNHelpMenu", Role::Normal, "ZDN Help", ""},
        {{"ZDNHelpHelp", Role::Normal, "Show Help", ""}, {"ZDNHelpAbout", Role::About, "About...", ""}});
}
