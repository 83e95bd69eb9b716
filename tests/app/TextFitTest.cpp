// Every label and button of every window shows its whole text in the font the window asks for, as a
// user sees it; and pictures of every window.
#include "app/Startup.h"
#include "info/AboutBox.h"
#include "info/Help.h"
#include "quiz/Window1.h"
#include "scores/Congratulations.h"
#include "scores/GameScores.h"
#include "support/TestSupport.h"
#include "update/selfTest.h"
#include "update/updateWindow.h"

#include <QDir>
#include <QFontInfo>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <cstdio>

namespace {

// Each text of the window's labels and buttons that does not fit the room its box gives it, measured
// with the control's own font: the advance and ink of one line, or the lines of a label that wraps; and
// each text that names another platform's music player.
QStringList Faults(QWidget* window) {
    auto* main = qobject_cast<QMainWindow*>(window);
    QStringList faults;
    for (QWidget* control : (main ? main->centralWidget() : window)
                                ->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        auto* label = qobject_cast<QLabel*>(control);
        auto* button = qobject_cast<QPushButton*>(control);
        const QString text = control->property("text").toString() + control->property("plainText").toString();
        if (text.contains(QRegularExpression("iTune|AppleScript|\\bMac\\b|OS X")))
            faults << QString("%1.%2 names another player").arg(window->windowTitle(), control->objectName());
        QStyleOptionButton option;
        option.initFrom(control);
        option.text = text;
        const QRect room =
            button  ? button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button)
            : label ? label->contentsRect().marginsRemoved(QMargins() + label->margin())
                    : QRect();
        const QFontMetrics metrics(control->font());
        const QSize needed =
            label && label->wordWrap()
                ? metrics.boundingRect(QRect(0, 0, room.width(), 100000), Qt::TextWordWrap, text).size()
                : QSize(metrics.horizontalAdvance(text), metrics.tightBoundingRect(text).height());
        if (room.isValid() && (needed.width() > room.width() || needed.height() > room.height()))
            faults << QString("%1.%2 \"%3\"").arg(window->windowTitle(), control->objectName(), text) +
                          QString::asprintf(": %dx%d > %dx%d", needed.width(), needed.height(), room.width(),
                                            room.height());
    }
    return faults;
}

// Opens every window as start-up leaves it; the update window first, as it closes the version window.
std::vector<QWidget*> EveryWindow() {
    updateWindow::SetWebSite("http://127.0.0.1:9"); // nothing answers there, once events run
    const std::vector<QWidget*> windows{
        &updateWindow::instance(),    &Window1::instance(),  &GameScores::instance(), &selfTest::instance(),
        &Congratulations::instance(), &AboutBox::instance(), &Help::instance()};
    updateWindow::SetWebSite(QString());
    return windows;
}

using WindowTexts = testing_support::AppTest;

TEST_F(WindowTexts, EveryTextFitsItsBoxAndNamesOnlyThePlayerUsedHere) {
    EXPECT_EQ(QFontInfo(QFont("Arial")).family(), "Liberation Sans");
    UseStubScripts({{172, "printf 'Library,Rock'"}});
    Startup::Begin();
    QStringList faults;
    for (QWidget* window : EveryWindow())
        faults << Faults(window);
    // The texts that handlers put into the same boxes later.
    Window1::instance().Disclosure->setText("Show Playlists and Song Titles");
    Window1::instance().Banner->setText("Excellent!");
    Window1::instance().NoSongs->setText("9999");
    updateWindow::instance().StaticText1->setText("This version is current.");
    for (QWidget* window : EveryWindow())
        faults << Faults(window);
    faults.removeDuplicates();
    EXPECT_EQ(faults, QStringList()) << qPrintable(faults.join('\n'));
}

// Draws each window into a PNG, as start-up leaves it and before any event runs, to be checked by eye,
// when ZANDOLIN_SCREENSHOT_DIR names the folder for the pictures (tools/screenshots.sh sets it).
using Screenshots = WindowTexts;

TEST_F(Screenshots, EveryWindow) {
    const QString folder = qEnvironmentVariable("ZANDOLIN_SCREENSHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "set ZANDOLIN_SCREENSHOT_DIR to render the windows";
    ASSERT_TRUE(QDir().mkpath(folder));
    testing_support::WriteFile(ConfigFile("zandolinscores.txt"),
                               "Ada\t200\nGrace\t187\nLinus\t154\nAlan\t150\nBarbara\t120\nDennis\t96\n"
                               "Edsger\t80\nFrances\t60\nKen\t30\nMargaret\t10\n");
    UseStubScripts({{172, "printf 'Library,Rock Classics,Jazz Evenings,Road Trip'"}});
    Startup::Begin();
    for (QWidget* window : EveryWindow()) {
        const QString path = QDir(folder).filePath(window->metaObject()->className() + QString(".png"));
        EXPECT_TRUE(window->grab().save(path)) << qPrintable(path);
        std::printf("%s\n", qPrintable(path));
    }
}

} // namespace
