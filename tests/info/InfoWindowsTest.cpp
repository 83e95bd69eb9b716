#include "app/App.h"
#include "app/Startup.h"
#include "framework/FolderItem.h"
#include "info/AboutBox.h"
#include "info/Help.h"
#include "quiz/Window1.h"
#include "scores/GameScores.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QWidget>

using testing_support::AppTest;

namespace {

class InfoWindows : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        app_.Register();
    }
    App app_;
};

int OpenWidgetsTitled(const QString& title) {
    int count = 0;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->windowTitle() == title && top->isVisible())
            ++count;
    return count;
}

QLabel* LabelOf(const fw::Label& label) {
    return qobject_cast<QLabel*>(label.Widget());
}

} // namespace

TEST_F(InfoWindows, AboutCommandShowsOneBoxWithTheRunningVersion) {
    EXPECT_EQ(fw::OpenInstance<AboutBox>(), nullptr);
    EXPECT_FALSE(app_._ZDNHelpAbout_Action());
    ProcessEvents();
    AboutBox* first = fw::OpenInstance<AboutBox>();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->Widget()->isVisible());
    EXPECT_EQ(first->Title(), "About...");
    EXPECT_EQ(first->StaticText4().Text(), app_.LongVersion());
    EXPECT_NE(first->StaticText4().Text(), "1.4.0 Intel");

    EXPECT_FALSE(app_._ZDNHelpAbout_Action());
    ProcessEvents();
    EXPECT_EQ(fw::OpenInstance<AboutBox>(), first);
    EXPECT_EQ(OpenWidgetsTitled("About..."), 1);

    // A closed box is discarded; the next command builds a fresh one with the version again.
    first->Close();
    ProcessEvents();
    EXPECT_EQ(fw::OpenInstance<AboutBox>(), nullptr);
    EXPECT_FALSE(app_._ZDNHelpAbout_Action());
    ProcessEvents();
    ASSERT_NE(fw::OpenInstance<AboutBox>(), nullptr);
    EXPECT_EQ(AboutBox::instance().StaticText4().Text(), app_.LongVersion());
    EXPECT_EQ(OpenWidgetsTitled("About..."), 1);
}

TEST_F(InfoWindows, AboutButtonsOpenTheirLinksEachTimeAndLeaveTheBoxOpen) {
    app_._ZDNHelpAbout_Action();
    ProcessEvents();
    AboutBox& box = AboutBox::instance();
    QTest::mouseClick(box.PushButton1().Widget(), Qt::LeftButton);
    QTest::mouseClick(box.PushButton2().Widget(), Qt::LeftButton);
    box.PushButton1().Push();
    box.PushButton2().Push();
    ProcessEvents();
    const QStringList expected{"mailto:author@zandolin.example", "http://www.zandolin.example",
                               "mailto:author@zandolin.example", "http://www.zandolin.example"};
    EXPECT_EQ(services->urls, expected);
    EXPECT_EQ(fw::OpenInstance<AboutBox>(), &box);
    EXPECT_TRUE(box.IsVisible());
    EXPECT_TRUE(box.Widget()->isVisible());
    EXPECT_TRUE(services->messages.isEmpty());
}

TEST_F(InfoWindows, AboutBoxLooksAsLaidOut) {
    AboutBox& box = AboutBox::instance();
    ProcessEvents();
    QLabel* name = LabelOf(box.StaticText1());
    EXPECT_EQ(name->text(), "Zandolin");
    EXPECT_EQ(name->font().family(), "Arial");
    // 28 in the layout's unit, whichever the framework maps it to.
    EXPECT_EQ(name->font().pixelSize(), 28);
    EXPECT_TRUE(name->font().bold());
    EXPECT_TRUE(name->alignment() & Qt::AlignHCenter);
    // Centred across the 264-wide window.
    EXPECT_EQ(name->x() + name->width() / 2, 264 / 2);

    const QStringList credits = box.StaticText2().Text().split('\n');
    ASSERT_EQ(credits.size(), 5);
    EXPECT_EQ(credits[0], "Developed by");
    EXPECT_FALSE(credits[1].trimmed().isEmpty());
    EXPECT_EQ(credits[2], "");
    EXPECT_EQ(credits[3], "Sr. Beta Tester");
    EXPECT_FALSE(credits[4].trimmed().isEmpty());
    QLabel* creditLabel = LabelOf(box.StaticText2());
    EXPECT_TRUE(creditLabel->alignment() & Qt::AlignHCenter);
    EXPECT_FALSE(creditLabel->font().bold());
    // Every credit line fits its box, so none of them wraps.
    const QFontMetrics metrics(creditLabel->font());
    for (const QString& line : credits)
        EXPECT_LE(metrics.horizontalAdvance(line), creditLabel->width()) << line.toStdString();
    EXPECT_LE(5 * metrics.lineSpacing(), creditLabel->height());

    QLabel* version = LabelOf(box.StaticText4());
    EXPECT_TRUE(version->alignment() & Qt::AlignRight);
    EXPECT_EQ(LabelOf(box.StaticText3())->text(), "Version:");
    EXPECT_GT(version->x(), LabelOf(box.StaticText3())->x() + LabelOf(box.StaticText3())->width());
    EXPECT_EQ(box.PushButton1().Caption(), "Email Author");
    EXPECT_EQ(box.PushButton2().Caption(), "Visit Web Site");
    EXPECT_EQ(box.DefaultButton(), nullptr);
}

TEST_F(InfoWindows, HelpCommandShowsOneWindowWithTheHelpText) {
    EXPECT_FALSE(app_._ZDNHelpHelp_Action());
    ProcessEvents();
    Help* help = fw::OpenInstance<Help>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->Widget()->isVisible());
    EXPECT_EQ(help->Title(), "Zandolin");
    EXPECT_FALSE(app_._ZDNHelpHelp_Action());
    EXPECT_EQ(fw::OpenInstance<Help>(), help);

    const QString text = help->EditField1().Text();
    EXPECT_TRUE(text.startsWith("iTunes should not be running when you launch Zandolin.\n\n"));
    EXPECT_FALSE(text.contains('\r'));
    EXPECT_FALSE(text.endsWith('\n'));
    const QStringList paragraphs = text.split("\n\n");
    ASSERT_EQ(paragraphs.size(), 4);
    for (const QString& paragraph : paragraphs) {
        EXPECT_FALSE(paragraph.isEmpty());
        EXPECT_FALSE(paragraph.contains('\n')) << paragraph.toStdString();
        // Two blanks before every sentence but the first, never one or three.
        EXPECT_FALSE(paragraph.contains(QRegularExpression("[.] (?! )"))) << paragraph.toStdString();
        EXPECT_FALSE(paragraph.contains("   "));
    }
    EXPECT_EQ(paragraphs[0], "iTunes should not be running when you launch Zandolin.");
    EXPECT_TRUE(paragraphs[1].startsWith(
        "Zandolin was developed to let you test your knowledge of your iTune songs.  When you open"));
    EXPECT_TRUE(paragraphs[1].endsWith(
        "Click on the \"Next Song\" button to continue the test.  The test is twenty songs."));
    for (const char* button : {"\"Start Test\" button", "\"Need More Time\" button", "\"Enter\" button"})
        EXPECT_TRUE(paragraphs[1].contains(button)) << button;
    EXPECT_TRUE(paragraphs[1].contains("; you need a minimum of ten songs to take a test and fifty or "
                                       "greater would be much better.  "));
    EXPECT_TRUE(paragraphs[2].startsWith(
        "At the end of the test, your score is compared to the scores in the High Scores window.  "));
    EXPECT_TRUE(paragraphs[2].contains("pressing the \"Return\" key.  High Scores information is saved "
                                       "between sessions.  "));
    EXPECT_TRUE(paragraphs[2].endsWith("you must verify that this was intentional."));
    EXPECT_TRUE(paragraphs[3].contains("icon"));
}

TEST_F(InfoWindows, HelpTextWrapsAndEditsAreGoneAfterCloseAndReopen) {
    app_._ZDNHelpHelp_Action();
    ProcessEvents();
    Help& help = Help::instance();
    auto* edit = qobject_cast<QPlainTextEdit*>(help.EditField1().Widget());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->geometry(), QRect(20, 20, 615, 263));
    EXPECT_FALSE(edit->isReadOnly());
    EXPECT_EQ(edit->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(edit->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_NE(edit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    const QString stored = help.EditField1().Text();

    // The user types into the text: the change shows while the window is open, even through the command.
    edit->setFocus();
    edit->moveCursor(QTextCursor::Start);
    QTest::keyClicks(edit, "My notes: ");
    EXPECT_TRUE(help.EditField1().Text().startsWith("My notes: iTunes should not"));
    app_._ZDNHelpHelp_Action();
    EXPECT_TRUE(Help::instance().EditField1().Text().startsWith("My notes: "));

    help.Close();
    ProcessEvents();
    EXPECT_EQ(fw::OpenInstance<Help>(), nullptr);
    app_._ZDNHelpHelp_Action();
    ProcessEvents();
    EXPECT_EQ(Help::instance().EditField1().Text(), stored);
}

TEST_F(InfoWindows, ShowScoresMovesTheWindowToLeftTenKeepingItsTop) {
    GameScores& scores = GameScores::instance();
    scores.Left(300);
    scores.Top(150);
    scores.Hide();
    ProcessEvents();
    EXPECT_FALSE(app_._ScoresShow_Action());
    ProcessEvents();
    EXPECT_EQ(fw::OpenInstance<GameScores>(), &scores);
    EXPECT_EQ(scores.Left(), 10);
    EXPECT_EQ(scores.Top(), 150);
    EXPECT_TRUE(scores.IsVisible());
    EXPECT_TRUE(scores.Widget()->isVisible());

    // Moved while shown, it comes back to the left edge again; a second command shows the same window.
    scores.Left(420);
    scores.Top(95);
    EXPECT_FALSE(app_._ScoresShow_Action());
    ProcessEvents();
    EXPECT_EQ(fw::OpenInstance<GameScores>(), &scores);
    EXPECT_EQ(scores.Left(), 10);
    EXPECT_EQ(scores.Top(), 95);
    EXPECT_EQ(OpenWidgetsTitled("High Scores"), 1);
}

TEST_F(InfoWindows, ShowScoresAfterACloseReloadsTheScoresFile) {
    const QString path = ConfigFile("zandolinscores.txt");
    QByteArray lines = "Ada\t50\n";
    for (int i = 1; i < 10; ++i)
        lines += " \t0\n";
    testing_support::WriteFile(path, lines);
    EXPECT_FALSE(app_._ScoresShow_Action());
    ProcessEvents();
    ASSERT_EQ(GameScores::instance().HighScores().Cell(0, 0), "Ada");
    EXPECT_EQ(GameScores::instance().Left(), 10);

    GameScores::instance().Close();
    ProcessEvents();
    EXPECT_EQ(fw::OpenInstance<GameScores>(), nullptr);
    testing_support::WriteFile(path, QByteArray(lines).replace("Ada", "Grace"));
    EXPECT_FALSE(app_._ScoresShow_Action());
    ProcessEvents();
    GameScores* fresh = fw::OpenInstance<GameScores>();
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(fresh->HighScores().Cell(0, 0), "Grace");
    EXPECT_EQ(fresh->HighScores().Cell(0, 1), "50");
    EXPECT_EQ(fresh->HighScores().ListCount(), 10);
    EXPECT_EQ(fresh->Left(), 10);
    EXPECT_TRUE(fresh->Widget()->isVisible());
}

// The menu items reach the commands by name, as start-up binds them.
class InfoMenu : public AppTest {};

TEST_F(InfoMenu, MenuItemsOpenTheirWindows) {
    UseStubScripts({});
    Startup::Begin();
    ProcessEvents();
    QWidget* main = Window1::instance().Widget();
    auto choose = [main](const char* name) {
        auto* action = main->findChild<QAction*>(name);
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
        ProcessEvents();
    };
    choose("ZDNHelpAbout");
    choose("ZDNHelpHelp");
    choose("ScoresShow");
    ASSERT_NE(fw::OpenInstance<AboutBox>(), nullptr);
    ASSERT_NE(fw::OpenInstance<Help>(), nullptr);
    EXPECT_TRUE(AboutBox::instance().Widget()->isVisible());
    EXPECT_TRUE(Help::instance().Widget()->isVisible());
    EXPECT_TRUE(GameScores::instance().Widget()->isVisible());
    EXPECT_EQ(GameScores::instance().Left(), 10);
    choose("ZDNHelpAbout");
    EXPECT_EQ(OpenWidgetsTitled("About..."), 1);
    EXPECT_TRUE(services->messages.isEmpty()) << services->messages.join('|').toStdString();
    Startup::End();
}
