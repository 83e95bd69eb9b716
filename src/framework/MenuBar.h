// The menu tree: menus and their items, found by name. A window shows it as its Qt menu bar; choosing an
// item runs the application's handler bound to the item's name.
#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <vector>

class QMenuBar;

namespace fw {

class MenuItem {
public:
    // Quit quits the application; About is the About item (kept in the last menu on Linux).
    enum class Role { Normal, Quit, About };

    explicit MenuItem(Role role = Role::Normal) : role_(role) {}
    virtual ~MenuItem() = default;
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    Role ItemRole() const { return role_; }
    QString Name;
    QString Text; // "&" marks the access key; "-" makes a separator
    bool AutoEnable = true;
    // Unset until assigned; "Cmd+" stands for the platform's command key (Ctrl on Linux).
    std::optional<QString> KeyboardShortcut;

    bool IsSeparator() const { return Text == QLatin1String("-"); }
    MenuItem& Append(std::unique_ptr<MenuItem> item);
    int Count() const { return int(items_.size()); }
    MenuItem& Item(int index) const;
    // The direct child of that name; raises a nil-object error when there is none.
    MenuItem& Child(const QString& name) const;
    // The item of that name anywhere below; nullptr when there is none.
    MenuItem* Lookup(const QString& name) const;

private:
    Role role_;
    std::vector<std::unique_ptr<MenuItem>> items_;
};

class MenuBar : public MenuItem {};

// Fills a Qt menu bar from the tree.
void BuildQtMenuBar(const MenuBar& tree, QMenuBar& bar);

} // namespace fw
