// Every label and button of every window shows its whole text in the font the window asks for, as a
// user sees it: measured with the widget's own font against the room its box gives the text. And no text
// speaks of the music player of another platform.
#include "app/App.h"
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
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyleOptionButton>

namespace {

// The room that a label or a button gives its text, or an empty rect for other controls.
QRect TextRoom(QWidget* widget) {
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(),
                                              -label->margin());
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    }
    return {};
}

QString Text(QWidget* widget) {
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    return static_cast<QPushButton*>(widget)->text();
}

// What the text needs: the advance and the ink of one line, or the lines of a label that wraps.
QSize Needed(QWidget* widget, const QRect& room) {
    const QFontMetrics metrics(widget->font());
    if (auto* label = qobject_cast<QLabel*>(widget); label && label->wordWrap())
        return metrics.boundingRect(QRect(0, 0, room.width(), 100000), Qt::TextWordWrap, Text(widget)).size();
    return {metrics.horizontalAdvance(Text(widget)), metrics.tightBoundingRect(Text(widget)).height()};
}

class WindowTexts : public testing_support::AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        UseStubScripts({{172, "printf 'Library,Rock'"}});
        app.Register();
        updateWindow::SetWebSite(QStringLiteral("http://127.0.0.1:9")); // nothing is fetched
    }
    void TearDown() override {
        updateWindow::SetWebSite(QString());
        AppTest::TearDown();
    }

    // Notes each text that does not fit in its control ("window.control "text": needed > room") and
    // each that speaks of another platform's music player.
    void Examine(const fw::Window& window) {
        for (const auto& control : window.Controls()) {
            QWidget* widget = control->Widget();
            const QString where = window.Title() + QLatin1Char('.') + control->Name();
            if (auto* edit = qobject_cast<QPlainTextEdit*>(widget); edit && Foreign(edit->toPlainText()))
                foreign << where;
            const QRect room = TextRoom(widget);
            if (room.isNull())
                continue;
            if (Foreign(Text(widget)))
                foreign << where;
            const QSize needed = Needed(widget, room);
            if (needed.width() > room.width() || needed.height() > room.height())
                cut << QStringLiteral("%1 \"%2\": %3x%4 > %5x%6")
                           .arg(where, Text(widget))
                           .arg(needed.width())
                           .arg(needed.height())
                           .arg(room.width())
                           .arg(room.height());
        }
    }
    static bool Foreign(const QString& text) {
        static const QRegularExpression names(QStringLiteral("iTune|AppleScript|\\bMac\\b|OS X"));
        return text.contains(names);
    }

    App app;
    QStringList cut, foreign;
};

TEST_F(WindowTexts, TheNamedFontsResolveToMetricCompatibleFaces) {
    QFont arial(QStringLiteral("Arial"));
    EXPECT_EQ(QFontInfo(arial).family(), QStringLiteral("Liberation Sans"));
}

TEST_F(WindowTexts, EveryTextFitsItsBoxAndNamesThePlayerUsedHere) {
    Window1& main = Window1::instance();
    Examine(main);
    // The texts that handlers put into the same boxes later.
    main.Disclosure().Text(QStringLiteral("Show Playlists and Song Titles"));
    main.Banner().Text(QStringLiteral("Excellent!"));
    main.NoSongs().Text(QStringLiteral("9999"));
    Examine(main);
    Examine(GameScores::instance());
    Examine(Congratulations::instance());
    Examine(selfTest::instance());
    Examine(AboutBox::instance());
    Examine(Help::instance());
    updateWindow& update = updateWindow::instance();
    Examine(update);
    update.StaticText1().Text(QStringLiteral("This version is current."));
    Examine(update);
    cut.removeDuplicates();
    EXPECT_EQ(cut, QStringList()) << qPrintable(cut.join('\n'));
    EXPECT_EQ(foreign, QStringList());
    EXPECT_EQ(main.StaticText1().Text(), QStringLiteral("MPD Playlists (double-click to see song names)"));
}

} // namespace
