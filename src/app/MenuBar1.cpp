#include "app/MenuBar1.h"

#include "app/App.h"
#include "framework/Windows.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

struct MenuRow {
    const char* menu;  // a row with another menu than the row before starts that menu
    const char* title; // of the menu
    const char* name;  // of the item
    const char* text;  // "&" marks the access key; "-" makes a separator
    const char* shortcut;
    const char* edit; // the slot of the focused text control that an Edit item calls
};

// About... stays in the last menu, where Linux programs keep it.
// clang-format off
constexpr MenuRow kMenuBar[] = {
//   menu                  title               name                      text           shortcut  edit
    {"FileMenu",           "&File",            "FileQuit",               "Quit",        "Ctrl+Q", ""},
    {"EditMenu",           "&Edit",            "EditUndo",               "&Undo",       "Ctrl+Z", "undo"},
    {"EditMenu",           "&Edit",            "UntitledMenu1",          "-",           "",       ""},
    {"EditMenu",           "&Edit",            "EditCut",                "Cu&t",        "Ctrl+X", "cut"},
    {"EditMenu",           "&Edit",            "EditCopy",               "&Copy",       "Ctrl+C", "copy"},
    {"EditMenu",           "&Edit",            "EditPaste",              "&Paste",      "Ctrl+V", "paste"},
    {"EditMenu",           "&Edit",            "EditClear",              "Clear",       "",       "clear"},
    {"EditMenu",           "&Edit",            "UntitledMenu0",          "-",           "",       ""},
    {"EditMenu",           "&Edit",            "EditSelectAll",          "Select &All", "Ctrl+A", "selectAll"},
    {"ScoresMenu",         "Scores",           "ScoresShow",             "Show Scores", "",       ""},
    {"CheckforUpdateMenu", "Check for Update", "CheckforUpdateCheckNow", "Check Now",   "",       ""},
    {"ZDNHelpMenu",        "ZDN Help",         "ZDNHelpHelp",            "Show Help",   "",       ""},
    {"ZDNHelpMenu",        "ZDN Help",         "ZDNHelpAbout",           "About...",    "",       ""},
};
// clang-format on

// The Edit menu acts on the focused text control, as every desktop program's does.
void RunEditCommand(const char* slot) {
    QWidget* focus = QApplication::focusWidget();
    if (!focus)
        return;
    // An editable combo box keeps the focus itself; its text is in its line edit.
    if (auto* combo = qobject_cast<QComboBox*>(focus); combo && combo->lineEdit())
        focus = combo->lineEdit();
    if (qstrcmp(slot, "clear") != 0)
        QMetaObject::invokeMethod(focus, slot);
    else if (auto* line = qobject_cast<QLineEdit*>(focus))
        line->del();
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(focus))
        plain->textCursor().removeSelectedText();
    else if (auto* rich = qobject_cast<QTextEdit*>(focus))
        rich->textCursor().removeSelectedText();
}

QMenuBar* BuildBar(QWidget* parent) {
    auto* bar = new QMenuBar(parent);
    QMenu* menu = nullptr;
    for (const MenuRow& row : kMenuBar) {
        if (!menu || menu->objectName() != QLatin1String(row.menu)) {
            menu = bar->addMenu(QString::fromUtf8(row.title));
            menu->setObjectName(QString::fromUtf8(row.menu));
        }
        if (qstrcmp(row.text, "-") == 0) {
            menu->addSeparator()->setObjectName(QString::fromUtf8(row.name));
            continue;
        }
        QAction* action = menu->addAction(QString::fromUtf8(row.text));
        action->setObjectName(QString::fromUtf8(row.name));
        action->setShortcut(QKeySequence(QString::fromUtf8(row.shortcut)));
        if (*row.edit)
            QObject::connect(action, &QAction::triggered, action,
                             [slot = row.edit] { RunEditCommand(slot); });
    }
    return bar;
}

} // namespace

namespace MenuBar1 {

void Build(App& app, QMainWindow& main) {
    QMenuBar* bar = BuildBar(&main);
    const auto item = [bar](const char* name) { return bar->findChild<QAction*>(QString::fromUtf8(name)); };
    QObject::connect(item("FileQuit"), &QAction::triggered, &main, &QWidget::close);
    fw::on(item("ScoresShow"), &QAction::triggered, &app, &App::ScoresShow_Action);
    fw::on(item("CheckforUpdateCheckNow"), &QAction::triggered, &app, &App::CheckforUpdateCheckNow_Action);
    fw::on(item("ZDNHelpHelp"), &QAction::triggered, &app, &App::ZDNHelpHelp_Action);
    fw::on(item("ZDNHelpAbout"), &QAction::triggered, &app, &App::ZDNHelpAbout_Action);
    main.setMenuBar(bar);
}

} // namespace MenuBar1
