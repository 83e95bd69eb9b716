// The menu bar as a user works it: the menus, the shortcuts, the Edit commands on the focused text and
// Quit. (The four commands of the last three menus are chosen in InfoWindowsTest.)
#include "app/Startup.h"
#include "quiz/Window1.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

using namespace testing_support;

class MenuBarTest : public AppTest {};

TEST_F(MenuBarTest, ShortcutsAndEditCommandsWorkAndQuitClosesTheMainWindow) {
    UseStubScripts({});
    Startup::Begin();
    Window1& main = Window1::instance();
    fw::Present(&main);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    QStringList menus, shortcuts;
    for (const QAction* menu : main.menuBar()->actions()) {
        menus << menu->text();
        for (const QAction* item : menu->menu()->actions())
            if (!item->shortcut().isEmpty())
                shortcuts << item->text() + ' ' + item->shortcut().toString();
    }
    EXPECT_EQ(menus, (QStringList{"&File", "&Edit", "Scores", "Check for Update", "ZDN Help"}));
    EXPECT_EQ(shortcuts, (QStringList{"Quit Ctrl+Q", "&Undo Ctrl+Z", "Cu&t Ctrl+X", "&Copy Ctrl+C",
                                      "&Paste Ctrl+V", "Select &All Ctrl+A"}));

    // The choice box's text, as the Edit menu's items would change it.
    QLineEdit* text = main.ComboBox1->lineEdit();
    main.ComboBox1->setEnabled(true);
    text->setFocus();
    text->setText("Blue Moon");
    const auto choose = [&](const char* item) { main.menuBar()->findChild<QAction*>(item)->trigger(); };
    choose("EditSelectAll");
    choose("EditCut");
    EXPECT_EQ(QApplication::clipboard()->text(), "Blue Moon");
    choose("EditPaste");
    choose("EditPaste");
    EXPECT_EQ(text->text(), "Blue MoonBlue Moon");
    text->setSelection(0, 5);
    choose("EditClear");
    EXPECT_EQ(text->text(), "MoonBlue Moon");

    const QSignalSpy closed(&main, &Window1::closed);
    QTest::keySequence(&main, QKeySequence("Ctrl+Q"));
    EXPECT_EQ(closed.size(), 1);
    EXPECT_EQ(fw::OpenInstance<Window1>(), nullptr);
    Startup::End();
}
