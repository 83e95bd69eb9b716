#include "framework/MenuBar.h"

#include "framework/Application.h"
#include "framework/Errors.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace fw {

MenuItem& MenuItem::Append(std::unique_ptr<MenuItem> item) {
    items_.push_back(std::move(item));
    return *items_.back();
}

MenuItem& MenuItem::Item(int index) const {
    if (index < 0 || index >= Count())
        throw NilObjectError(QStringLiteral("menu item %1 of %2").arg(index).arg(Name));
    return *items_[index];
}

MenuItem& MenuItem::Child(const QString& name) const {
    for (const auto& item : items_)
        if (item->Name == name)
            return *item;
    throw NilObjectError(QStringLiteral("menu %1 in %2").arg(name, Name));
}

MenuItem* MenuItem::Lookup(const QString& name) const {
    for (const auto& item : items_) {
        if (item->Name == name)
            return item.get();
        if (auto* found = item->Lookup(name))
            return found;
    }
    return nullptr;
}

namespace {

QKeySequence ShortcutOf(const MenuItem& item) {
    if (!item.KeyboardShortcut || item.KeyboardShortcut->isEmpty())
        return {};
    QString text = *item.KeyboardShortcut;
    text.replace(QStringLiteral("Cmd+"), QStringLiteral("Ctrl+"));
    return QKeySequence::fromString(text);
}

// The Edit menu acts on the focused text control, as every desktop program's does.
void RunEditCommand(const QString& name) {
    QWidget* focus = QApplication::focusWidget();
    if (!focus)
        return;
    static const QHash<QString, const char*> commands = {
        {QStringLiteral("EditUndo"), "undo"},           {QStringLiteral("EditCut"), "cut"},
        {QStringLiteral("EditCopy"), "copy"},           {QStringLiteral("EditPaste"), "paste"},
        {QStringLiteral("EditSelectAll"), "selectAll"},
    };
    if (name == QLatin1String("EditClear")) {
        if (auto* line = qobject_cast<QLineEdit*>(focus))
            line->del();
        else if (auto* plain = qobject_cast<QPlainTextEdit*>(focus))
            plain->textCursor().removeSelectedText();
        else if (auto* rich = qobject_cast<QTextEdit*>(focus))
            rich->textCursor().removeSelectedText();
        return;
    }
    if (const char* command = commands.value(name))
        QMetaObject::invokeMethod(focus, command);
}

void Choose(const MenuItem& item) {
    if (item.ItemRole() == MenuItem::Role::Quit) {
        Application::RequestQuit();
        return;
    }
    if (Application::Instance() && Application::Instance()->HandleMenuCommand(item.Name))
        return;
    RunEditCommand(item.Name);
}

void AddItems(const MenuItem& menuTree, QMenu& menu) {
    for (int i = 0; i < menuTree.Count(); ++i) {
        const MenuItem& item = menuTree.Item(i);
        if (item.IsSeparator()) {
            menu.addSeparator()->setObjectName(item.Name);
            continue;
        }
        QAction* action = menu.addAction(item.Text);
        action->setObjectName(item.Name);
        action->setShortcut(ShortcutOf(item));
        if (item.ItemRole() == MenuItem::Role::Quit)
            action->setMenuRole(QAction::QuitRole);
        else if (item.ItemRole() == MenuItem::Role::About)
            action->setMenuRole(QAction::AboutRole);
        const MenuItem* chosen = &item;
        QObject::connect(action, &QAction::triggered, [chosen] { Guard([chosen] { Choose(*chosen); }); });
    }
}

} // namespace

void BuildQtMenuBar(const MenuBar& tree, QMenuBar& bar) {
    bar.clear();
    for (int i = 0; i < tree.Count(); ++i) {
        const MenuItem& menuTree = tree.Item(i);
        QMenu* menu = bar.addMenu(menuTree.Text);
        menu->setObjectName(menuTree.Name);
        AddItems(menuTree, *menu);
    }
}

} // namespace fw
