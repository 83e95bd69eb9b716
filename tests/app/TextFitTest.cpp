// Every label and button of every window shows its whole text in the font the window asks for, as a
// user sees it: measured with the widget's own font against the room its box gives the text.
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
#include <QPushButton>
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

class TextFitTest : public testing_support::AppTest {
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

    // Every text that does not fit in its control, as "window.control: needed > room".
    static QStringList Cut(const fw::Window& window) {
        QStringList cut;
        for (const auto& control : window.Controls()) {
            const QRect room = TextRoom(control->Widget());
            if (room.isNull())
                continue;
            const QSize needed = Needed(control->Widget(), room);
            if (needed.width() > room.width() || needed.height() > room.height())
                cut << QStringLiteral("%1.%2 \"%3\": %4x%5 > %6x%7")
                           .arg(window.Title(), control->Name(), Text(control->Widget()))
                           .arg(needed.width())
                           .arg(needed.height())
                           .arg(room.width())
                           .arg(room.height());
        }
        return cut;
    }

    App app;
};

TEST_F(TextFitTest, TheNamedFontsResolveToMetricCompatibleFaces) {
    QFont arial(QStringLiteral("Arial"));
    EXPECT_EQ(QFontInfo(arial).family(), QStringLiteral("Liberation Sans"));
}

TEST_F(TextFitTest, EveryTextFitsItsBoxInEveryWindow) {
    Window1& main = Window1::instance();
    QStringList cut = Cut(main);
    // The texts that handlers put into the same boxes later.
    main.Disclosure().Text(QStringLiteral("Show Playlists and Song Titles"));
    main.Banner().Text(QStringLiteral("Excellent!"));
    main.NoSongs().Text(QStringLiteral("9999"));
    cut += Cut(main);
    cut += Cut(GameScores::instance());
    cut += Cut(Congratulations::instance());
    cut += Cut(selfTest::instance());
    cut += Cut(AboutBox::instance());
    cut += Cut(Help::instance());
    updateWindow& update = updateWindow::instance();
    cut += Cut(update);
    update.StaticText1().Text(QStringLiteral("This version is current."));
    cut += Cut(update);
    cut.removeDuplicates();
    EXPECT_EQ(cut, QStringList()) << qPrintable(cut.join('\n'));
}

} // namespace
