// The main window against its layout: what a user sees when it opens.
#include "quiz/Module1.h"
#include "quiz/Window1.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>

using namespace testing_support;

class Window1LayoutTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        UseStubScripts({{172, "printf 'Library,Rock'"}});
        Module1::R = std::make_unique<QRandomGenerator>(7);
    }
};

TEST_F(Window1LayoutTest, ControlsStandAsTabled) {
    Window1& window = Window1::instance();
    EXPECT_EQ(window.Width(), 863);
    EXPECT_EQ(window.Height(), 432);
    EXPECT_EQ(&window, &Window1::instance()); // naming it again gives the same window

    const auto table = Window1::LayoutTable();
    EXPECT_EQ(table.size() + 4 /*timers*/ + 1 /*thread*/, 32u);
    for (const fw::ControlSpec& layout : table) {
        SCOPED_TRACE(layout.name);
        fw::Control* control = window.FindControl(QString::fromUtf8(layout.name));
        ASSERT_NE(control, nullptr);
        const QRect geometry = control->Widget()->geometry();
        EXPECT_EQ(geometry, QRect(layout.left, layout.top, layout.width, layout.height));
        EXPECT_EQ(control->Widget()->font().bold(), layout.bold);
        if (layout.size > 0) {
            EXPECT_EQ(control->Widget()->font().pixelSize(), layout.size);
        }
        const bool placeholder =
            QLatin1String(layout.name) == "NPoints" || QLatin1String(layout.name) == "QuestionNo";
        if (auto* label = qobject_cast<QLabel*>(control->Widget()); label && !placeholder) {
            EXPECT_EQ(label->text(), QString::fromUtf8(layout.text));
        }
        if (auto* button = qobject_cast<QPushButton*>(control->Widget())) {
            EXPECT_EQ(button->text(), QString::fromUtf8(layout.text));
        }
    }
    // Exactly five controls start hidden; the reset shows the scores as 0.
    QStringList hidden;
    for (const auto& control : window.Controls())
        if (!control->Visible())
            hidden << control->Name();
    EXPECT_EQ(hidden, (QStringList{"Banner", "Answer", "Label", "TestOver", "Busy"}));
    EXPECT_EQ(window.NPoints().Text(), "0");
    EXPECT_EQ(window.QuestionNo().Text(), "0");
    EXPECT_EQ(window.Banner().Widget()->palette().color(QPalette::WindowText), QColor("#FF0214"));
    EXPECT_EQ(qobject_cast<QLabel*>(window.StaticText5().Widget())->alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignRight);
    EXPECT_EQ(window.Kagi1().Widget()->font().family(), "Arial");
    // No timer runs and Start Test is the one default button.
    for (const char* timer : {"Timer1", "Timer2", "Timer3", "Timer4"})
        EXPECT_FALSE(window.TimerNamed(timer).IsRunning()) << timer;
    EXPECT_EQ(window.DefaultButton(), &window.StartTest());
    EXPECT_EQ(window.Timer4().Period(), 10000);
    EXPECT_EQ(window.Timer3().Period(), 2000);
}

TEST_F(Window1LayoutTest, KeyboardFocusFollowsTheTabOrderAndSkipsLabels) {
    Window1& window = Window1::instance();
    window.Show();
    ProcessEvents();
    QStringList order;
    QWidget* first = window.Enter().Widget();
    QWidget* w = first;
    do {
        order << w->objectName();
        w = w->nextInFocusChain();
        while (w != first && (w->focusPolicy() == Qt::NoFocus || w->objectName().isEmpty() ||
                              !window.FindControl(w->objectName())))
            w = w->nextInFocusChain();
    } while (w != first && order.size() < 40);
    EXPECT_EQ(order, (QStringList{"Enter", "Quit", "StartTest", "ComboBox1", "NextQuestion", "Kagi1",
                                  "iTunes", "MoreTime", "Playlists", "ComboBox2"}));
}

TEST_F(Window1LayoutTest, ReturnPressesTheDefaultButtonOnly) {
    Window1& window = Window1::instance();
    int starts = 0;
    int enters = 0;
    window.StartTest().Action = [&] { ++starts; };
    window.Enter().Action = [&] { ++enters; };
    QTest::keyClick(window.Widget(), Qt::Key_Return);
    EXPECT_EQ(starts, 1);
    window.StartTest().Default(false);
    window.Enter().Default(true);
    window.Enter().Enabled(true);
    QTest::keyClick(window.ComboBox1().Widget(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(starts, 1);
    window.Enter().Enabled(false); // a disabled default button is not pressed
    QTest::keyClick(window.Widget(), Qt::Key_Return);
    EXPECT_EQ(enters, 1);
}
