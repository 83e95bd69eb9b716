// The information commands, chosen from the menu as start-up binds them (About, Show Help, Check Now,
// Show Scores), and pictures of every window.
#include "app/Startup.h"
#include "info/AboutBox.h"
#include "info/Help.h"
#include "quiz/Window1.h"
#include "scores/Congratulations.h"
#include "scores/GameScores.h"
#include "support/TestSupport.h"
#include "update/selfTest.h"
#include "update/updateWindow.h"

#include <QAction>
#include <QDir>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTest>
#include <cstdio>

class InfoWindows : public testing_support::AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        UseStubScripts({{172, "printf 'Library,Rock Classics,Jazz Evenings,Road Trip'"}});
        Startup::Begin();
        ProcessEvents();
    }
    void TearDown() override {
        Startup::End();
        AppTest::TearDown();
    }
    static void Choose(const char* item) {
        auto* action = Window1::instance().findChild<QAction*>(item);
        ASSERT_NE(action, nullptr) << item;
        action->trigger();
        ProcessEvents();
    }
    // The command shows its window, and choosing it again shows the same one.
    template <class W> static void ShowsOneWindow(const char* item) {
        Choose(item);
        W* shown = fw::OpenInstance<W>();
        ASSERT_NE(shown, nullptr) << item;
        EXPECT_TRUE(shown->isVisible()) << item;
        Choose(item);
        EXPECT_EQ(fw::OpenInstance<W>(), shown) << item;
    }
};

TEST_F(InfoWindows, EachCommandShowsItsWindowOnceAndTheAboutButtonsLeaveTheBoxOpen) {
    ShowsOneWindow<AboutBox>("ZDNHelpAbout");
    ShowsOneWindow<Help>("ZDNHelpHelp");
    ShowsOneWindow<selfTest>("CheckforUpdateCheckNow");
    ShowsOneWindow<GameScores>("ScoresShow");
    AboutBox& box = AboutBox::instance();
    EXPECT_EQ(box.StaticText4->text(), QStringLiteral(ZANDOLIN_VERSION " Linux"));

    QTest::mouseClick(box.PushButton1, Qt::LeftButton);
    QTest::mouseClick(box.PushButton2, Qt::LeftButton);
    ProcessEvents();
    EXPECT_EQ(services->urls, QStringList({"mailto:author@zandolin.example", "http://www.zandolin.example"}));
    EXPECT_EQ(fw::OpenInstance<AboutBox>(), &box);
    EXPECT_TRUE(box.isVisible());
    EXPECT_TRUE(services->messages.isEmpty());
}

TEST_F(InfoWindows, ALinkThatCannotBeOpenedSaysSoAndShowsTheAddress) {
    services->opensUrls = false; // no browser or mail program is set up
    Choose("ZDNHelpAbout");
    QTest::mouseClick(AboutBox::instance().PushButton1, Qt::LeftButton);
    QTest::mouseClick(AboutBox::instance().PushButton2, Qt::LeftButton);
    QTest::mouseClick(Window1::instance().Kagi1, Qt::LeftButton);
    ASSERT_EQ(services->urls.size(), 3);
    QStringList expected;
    for (const QString& url : services->urls)
        expected << "This address could not be opened:\n\n" + url +
                        "\n\nNo web browser or mail program on this computer is set up to open it.";
    EXPECT_EQ(services->messages, expected);
    EXPECT_NE(fw::OpenInstance<AboutBox>(), nullptr);
}

TEST_F(InfoWindows, ShowScoresBringsTheWindowBackToLeftTenAndReloadsTheFileAfterAClose) {
    Choose("ScoresShow");
    GameScores& scores = GameScores::instance();
    scores.move(420, 95);
    Choose("ScoresShow");
    EXPECT_EQ(scores.pos(), QPoint(10, 95));

    scores.close();
    ProcessEvents();
    testing_support::WriteFile(ConfigFile("zandolinscores.txt"), "Grace\t50\n");
    Choose("ScoresShow");
    GameScores* fresh = fw::OpenInstance<GameScores>();
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(fresh->HighScores->Cell(0, 0), "Grace");
    EXPECT_EQ(fresh->x(), 10);
    EXPECT_TRUE(fresh->isVisible());
}

TEST_F(InfoWindows, HelpShowsFourParagraphsAndForgetsEditsOnClose) {
    Choose("ZDNHelpHelp");
    const QString text = Help::instance().EditField1->toPlainText();
    const QStringList paragraphs = text.split("\n\n");
    ASSERT_EQ(paragraphs.size(), 4);
    for (const QString& paragraph : paragraphs) {
        EXPECT_FALSE(paragraph.isEmpty() || paragraph.contains('\n') || paragraph.contains('\r'));
        // Two blanks between sentences, never one or three.
        EXPECT_FALSE(paragraph.contains(QRegularExpression("[.] (?! )|   "))) << paragraph.toStdString();
    }

    QPlainTextEdit* edit = Help::instance().EditField1;
    edit->moveCursor(QTextCursor::Start);
    QTest::keyClicks(edit, "My notes: ");
    Choose("ZDNHelpHelp");
    EXPECT_TRUE(Help::instance().EditField1->toPlainText().startsWith("My notes: MPD should"));
    Help::instance().close();
    ProcessEvents();
    Choose("ZDNHelpHelp");
    EXPECT_EQ(Help::instance().EditField1->toPlainText(), text);
}

// Renders each window to a PNG, so that its look can be checked by eye, when ZANDOLIN_SCREENSHOT_DIR
// names the folder for the pictures (tools/screenshots.sh sets it).
class Screenshots : public InfoWindows {
protected:
    void TearDown() override {
        updateWindow::SetWebSite(QString());
        InfoWindows::TearDown();
    }
    // Grabs the window as drawn now, without running events that could close it first.
    static void Save(QWidget& window, const char* name) {
        const QString path =
            QDir(qEnvironmentVariable("ZANDOLIN_SCREENSHOT_DIR")).filePath(name + QStringLiteral(".png"));
        ASSERT_TRUE(window.grab().save(path, "PNG")) << path.toStdString();
        std::printf("%s\n", qPrintable(path));
    }
};

TEST_F(Screenshots, EveryWindow) {
    if (qEnvironmentVariableIsEmpty("ZANDOLIN_SCREENSHOT_DIR"))
        GTEST_SKIP() << "set ZANDOLIN_SCREENSHOT_DIR to render the windows";
    ASSERT_TRUE(QDir().mkpath(qEnvironmentVariable("ZANDOLIN_SCREENSHOT_DIR")));
    Save(Window1::instance(), "Window1");
    GameScores::instance().close();
    testing_support::WriteFile(ConfigFile("zandolinscores.txt"),
                               "Ada\t200\nGrace\t187\nLinus\t154\nAlan\t150\nBarbara\t120\nDennis\t96\n"
                               "Edsger\t80\nFrances\t60\nKen\t30\nMargaret\t10\n");
    for (const char* item : {"ScoresShow", "ZDNHelpAbout", "ZDNHelpHelp", "CheckforUpdateCheckNow"})
        Choose(item);
    Save(GameScores::instance(), "GameScores");
    Save(AboutBox::instance(), "AboutBox");
    // A misspelt word typed into the help text shows its mark.
    QPlainTextEdit* help = Help::instance().EditField1;
    help->moveCursor(QTextCursor::Start);
    QTest::keyClicks(help, "A quizz for your MPD songs.  ");
    Save(Help::instance(), "Help");
    Save(selfTest::instance(), "selfTest");
    Congratulations::instance().NameField->setText(QStringLiteral("Grace"));
    Save(Congratulations::instance(), "Congratulations");
    // A port where nothing listens makes the check fail at once; the picture is taken before.
    updateWindow::SetWebSite(QStringLiteral("http://127.0.0.1:9"));
    Save(updateWindow::instance(), "updateWindow");
}
