// Every label and button of every window shows its whole text in the font the window asks for, as a
// user sees it: measured with the widget's own font against the room its box gives the text. And no text
// speaks of the music player of another platform.
#include "info/AboutBox.h"
#include "info/Help.h"
#include "quiz/Window1.h"
#include "scores/Congratulations.h"
#include "scores/GameScores.h"
#include "support/TestSupport.h"
#include "update/selfTest.h"
#include "update/updateWindow.h"

#include <QFontInfo>
#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyleOptionButton>

namespace {

// What the text of a label or button needs (the advance and ink of one line, or the lines of a label
// that wraps) and the room its box gives it; nothing for other controls.
std::pair<QSize, QRect> NeededAndRoom(QWidget* widget, QString& text) {
    const QFontMetrics metrics(widget->font());
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        text = option.text = button->text();
        return {{metrics.horizontalAdvance(text), metrics.tightBoundingRect(text).height()},
                button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button)};
    }
    auto* label = qobject_cast<QLabel*>(widget);
    if (!label)
        return {};
    text = label->text();
    const int m = label->margin();
    const QRect room = label->contentsRect().adjusted(m, m, -m, -m);
    if (label->wordWrap())
        return {metrics.boundingRect(QRect(0, 0, room.width(), 100000), Qt::TextWordWrap, text).size(), room};
    return {{metrics.horizontalAdvance(text), metrics.tightBoundingRect(text).height()}, room};
}

class WindowTexts : public testing_support::AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        UseStubScripts({{172, "printf 'Library,Rock'"}});
        updateWindow::SetWebSite(QStringLiteral("http://127.0.0.1:9")); // nothing is fetched
    }
    void TearDown() override {
        updateWindow::SetWebSite(QString());
        AppTest::TearDown();
    }

    // Notes each text that does not fit its control ("window.control "text": needed > room") and each
    // that speaks of another platform's music player.
    void Examine(QWidget* window) {
        static const QRegularExpression foreignNames(QStringLiteral("iTune|AppleScript|\\bMac\\b|OS X"));
        auto* main = qobject_cast<QMainWindow*>(window);
        QWidget* content = main ? main->centralWidget() : window;
        for (QWidget* control : content->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            const QString where = window->windowTitle() + QLatin1Char('.') + control->objectName();
            QString text;
            if (auto* edit = qobject_cast<QPlainTextEdit*>(control))
                text = edit->toPlainText();
            const auto [needed, room] = NeededAndRoom(control, text);
            if (text.contains(foreignNames))
                foreign << where;
            if (needed.width() > room.width() || needed.height() > room.height())
                cut << QStringLiteral("%1 \"%2\": %3x%4 > %5x%6")
                           .arg(where, text)
                           .arg(needed.width())
                           .arg(needed.height())
                           .arg(room.width())
                           .arg(room.height());
        }
    }

    QStringList cut, foreign;
};

TEST_F(WindowTexts, EveryTextFitsItsBoxAndNamesThePlayerUsedHere) {
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Arial"))).family(), QStringLiteral("Liberation Sans"));
    Window1& main = Window1::instance();
    Examine(&main);
    // The texts that handlers put into the same boxes later.
    main.Disclosure->setText(QStringLiteral("Show Playlists and Song Titles"));
    main.Banner->setText(QStringLiteral("Excellent!"));
    main.NoSongs->setText(QStringLiteral("9999"));
    Examine(&main);
    Examine(&GameScores::instance());
    Examine(&Congratulations::instance());
    Examine(&selfTest::instance());
    Examine(&AboutBox::instance());
    Examine(&Help::instance());
    updateWindow& update = updateWindow::instance();
    Examine(&update);
    update.StaticText1->setText(QStringLiteral("This version is current."));
    Examine(&update);
    cut.removeDuplicates();
    EXPECT_EQ(cut, QStringList()) << qPrintable(cut.join('\n'));
    EXPECT_EQ(foreign, QStringList());
    EXPECT_EQ(main.StaticText1->text(), QStringLiteral("MPD Playlists (double-click to see song names)"));
}

} // namespace
