#include "app/MenuBar1.h"
#include "framework/Errors.h"
#include "support/TestSupport.h"

#include <QMenuBar>

using namespace testing_support;

class MenuBarTest : public AppTest {
protected:
    void TearDown() override {
        MenuBar1::Release();
        AppTest::TearDown();
    }
};

TEST_F(MenuBarTest, BuildsTheWholeTreeOnce) {
    MenuBar1& bar = MenuBar1::instance();
    EXPECT_EQ(&bar, &MenuBar1::instance());

    struct Row {
        const char* menu;
        const char* name;
        const char* text;
        const char* shortcut; // nullptr: never assigned
    };
    const Row rows[] = {
        {"FileMenu", "FileQuit", "Quit", "Cmd+Q"},
        {"EditMenu", "EditUndo", "&Undo", "Cmd+Z"},
        {"EditMenu", "UntitledMenu1", "-", nullptr},
        {"EditMenu", "EditCut", "Cu&t", "Cmd+X"},
        {"EditMenu", "EditCopy", "&Copy", "Cmd+C"},
        {"EditMenu", "EditPaste", "&Paste", "Cmd+V"},
        {"EditMenu", "EditClear", "Clear", ""},
        {"EditMenu", "UntitledMenu0", "-", nullptr},
        {"EditMenu", "EditSelectAll", "Select &All", "Cmd+A"},
        {"ScoresMenu", "ScoresShow", "Show Scores", ""},
        {"CheckforUpdateMenu", "CheckforUpdateCheckNow", "Check Now", ""},
        {"ZDNHelpMenu", "ZDNHelpHelp", "Show Help", ""},
        {"ZDNHelpMenu", "ZDNHelpAbout", "About...", ""},
    };
    ASSERT_EQ(bar.Count(), 5);
    const char* titles[][2] = {{"FileMenu", "&File"},
                               {"EditMenu", "&Edit"},
                               {"ScoresMenu", "Scores"},
                               {"CheckforUpdateMenu", "Check for Update"},
                               {"ZDNHelpMenu", "ZDN Help"}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(bar.Item(i).Name, titles[i][0]);
        EXPECT_EQ(bar.Item(i).Text, titles[i][1]);
        EXPECT_EQ(bar.Item(i).KeyboardShortcut, QString());
    }
    QMap<QString, int> position;
    for (const Row& row : rows) {
        const fw::MenuItem& menu = bar.Child(row.menu);
        const int index = position[row.menu]++;
        ASSERT_LT(index, menu.Count()) << row.name;
        const fw::MenuItem& item = menu.Item(index);
        EXPECT_EQ(item.Name, row.name);
        EXPECT_EQ(item.Text, row.text);
        EXPECT_TRUE(item.AutoEnable);
        if (row.shortcut)
            EXPECT_EQ(item.KeyboardShortcut, QString::fromLatin1(row.shortcut)) << row.name;
        else
            EXPECT_FALSE(item.KeyboardShortcut.has_value()) << row.name;
        EXPECT_EQ(bar.Lookup(row.name), &item);
    }
    EXPECT_EQ(bar.Lookup("FileQuit")->ItemRole(), fw::MenuItem::Role::Quit);
    EXPECT_EQ(bar.Lookup("ZDNHelpAbout")->ItemRole(), fw::MenuItem::Role::About);
    EXPECT_THROW(bar.Child("NoSuchMenu"), fw::NilObjectError);
}

TEST_F(MenuBarTest, TheQtMenuBarShowsTheTreeWithLinuxShortcuts) {
    QMenuBar qtBar;
    fw::BuildQtMenuBar(MenuBar1::instance(), qtBar);
    ASSERT_EQ(qtBar.actions().size(), 5);
    QMenu* file = qtBar.actions()[0]->menu();
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->actions()[0]->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
    QMenu* edit = qtBar.actions()[1]->menu();
    EXPECT_EQ(edit->actions().size(), 8);
    EXPECT_TRUE(edit->actions()[1]->isSeparator());
    EXPECT_TRUE(edit->actions()[6]->isSeparator());
    EXPECT_EQ(edit->actions()[3]->shortcut(), QKeySequence(QStringLiteral("Ctrl+C")));
    // About... stays in the last menu, after Show Help.
    QMenu* help = qtBar.actions()[4]->menu();
    ASSERT_EQ(help->actions().size(), 2);
    EXPECT_EQ(help->actions()[1]->text(), "About...");
}
