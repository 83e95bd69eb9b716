// What a user sees of the main window when it opens, and its keyboard: the tab order and Return.
#include "quiz/Module1.h"
#include "quiz/Window1.h"
#include "support/TestSupport.h"

#include <QSignalSpy>
#include <QTest>

using namespace testing_support;

class Window1LayoutTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        UseStubScripts({{172, "printf 'Library,Rock'"}});
        Module1::R = std::make_unique<QRandomGenerator>(7);
        window = &Window1::instance();
        ProcessEvents(); // it shows
    }
    Window1* window = nullptr;
};

TEST_F(Window1LayoutTest, OpensResetWithTheResultControlsHidden) {
    ASSERT_TRUE(window->isVisible());
    QStringList hidden;
    for (const QWidget* control :
         window->centralWidget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (control->isHidden())
            hidden << control->objectName();
    EXPECT_EQ(hidden, (QStringList{"Banner", "Answer", "Label", "TestOver", "Busy"}));
    EXPECT_EQ(window->NPoints->text(), "0");
    EXPECT_EQ(window->QuestionNo->text(), "0");
    EXPECT_EQ(window->Playlists->item(1, 0)->textAlignment(), Qt::AlignCenter); // the playlist's number
    EXPECT_EQ(window->centralWidget()->size(), QSize(863, 432));
}

TEST_F(Window1LayoutTest, KeyboardFocusFollowsTheTabOrderAndSkipsLabels) {
    QStringList order;
    QWidget* first = window->Enter;
    QWidget* w = first;
    do {
        order << w->objectName();
        w = w->nextInFocusChain();
        while (w != first &&
               (w->focusPolicy() == Qt::NoFocus || w->parentWidget() != window->centralWidget()))
            w = w->nextInFocusChain();
    } while (w != first && order.size() < 40);
    EXPECT_EQ(order, (QStringList{"Enter", "Quit", "StartTest", "ComboBox1", "NextQuestion", "Kagi1",
                                  "iTunes", "MoreTime", "Playlists", "ComboBox2"}));
}

TEST_F(Window1LayoutTest, ReturnPressesTheEnabledDefaultButtonOnly) {
    const QSignalSpy starts(window->StartTest, &QPushButton::clicked);
    const QSignalSpy enters(window->Enter, &QPushButton::clicked);
    QTest::keyClick(window->Playlists, Qt::Key_Return);
    EXPECT_EQ(starts.size(), 1);
    window->StartTest->setDefault(false);
    window->Enter->setDefault(true);
    window->Enter->setEnabled(true);
    window->ComboBox1->setEnabled(true);
    window->ComboBox1->setEditText("My guess");
    QTest::keyClick(window->ComboBox1, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(enters.size(), 1);
    EXPECT_EQ(window->ComboBox1->count(), 0); // a typed answer never joins the choices
    window->Enter->setEnabled(false);         // a disabled default button is not pressed
    QTest::keyClick(window, Qt::Key_Return);
    EXPECT_EQ(starts.size() + enters.size(), 2);
}
