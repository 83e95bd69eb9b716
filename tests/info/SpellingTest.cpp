// Spell checking in the help window: unknown words are marked as the user types, the context menu offers
// the dictionary's suggestions and replaces the word, and without a dictionary nothing is marked.
#include "info/Help.h"
#include "info/SpellChecker.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

namespace {

class Spelling : public testing_support::AppTest {
protected:
    void TearDown() override {
        Help::SetSpellingLanguage(QString());
        AppTest::TearDown();
    }

    // Opens the help window and types the text at the start of the help text.
    QPlainTextEdit* OpenAndType(const QString& text) {
        auto* edit = static_cast<QPlainTextEdit*>(Help::instance().EditField1().Widget());
        ProcessEvents(); // shown
        edit->moveCursor(QTextCursor::Start);
        QTest::keyClicks(edit, text);
        return edit;
    }

    // The words drawn with the spell-check underline, in reading order.
    static QStringList Marked(const QPlainTextEdit* edit) {
        QStringList words;
        for (QTextBlock block = edit->document()->begin(); block.isValid(); block = block.next())
            for (const QTextLayout::FormatRange& range : block.layout()->formats())
                if (range.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline)
                    words << block.text().mid(range.start, range.length);
        return words;
    }

    // Opens the edit's context menu over the first occurrence of the word, as a right click does, and
    // answers it with the entry named choice (or none); returns the menu's entries.
    static QStringList RightClick(QPlainTextEdit* edit, const QString& word, const QString& choice) {
        QTextCursor at = edit->document()->find(word);
        at.setPosition(at.selectionStart() + 1);
        const QPoint point = edit->cursorRect(at).center();
        QStringList entries;
        QObject scope; // the answer is never run once this call has returned
        QTimer::singleShot(0, &scope, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (QAction* action : menu->actions()) {
                entries << action->text().section(QLatin1Char('\t'), 0, 0); // without the shortcut
                if (action->text() == choice)
                    action->trigger();
            }
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, point, edit->viewport()->mapToGlobal(point));
        QApplication::sendEvent(edit->viewport(), &event);
        return entries;
    }
};

TEST_F(Spelling, UnknownWordsAreMarkedAndASuggestionReplacesTheWord) {
    QPlainTextEdit* edit = OpenAndType(QStringLiteral("My speling notes: "));
    EXPECT_EQ(Marked(edit), QStringList{"speling"}); // the help text's own names are known

    const QStringList entries = RightClick(edit, QStringLiteral("speling"), QStringLiteral("spelling"));
    ASSERT_FALSE(entries.isEmpty());
    EXPECT_TRUE(entries.mid(0, 8).contains("spelling")) << entries.join('|').toStdString();
    EXPECT_TRUE(entries.contains("&Copy")); // the usual commands follow
    EXPECT_TRUE(edit->toPlainText().startsWith("My spelling notes: MPD should be running"));
    EXPECT_EQ(Marked(edit), QStringList());

    // A known word gets the usual menu alone.
    EXPECT_EQ(RightClick(edit, QStringLiteral("notes"), QString()).value(0), "&Undo");
}

TEST_F(Spelling, WithoutADictionaryNothingIsMarkedAndTheMenuStaysUsual) {
    Help::SetSpellingLanguage(QStringLiteral("xx_XX"));
    QPlainTextEdit* edit = OpenAndType(QStringLiteral("My speling notes: "));
    EXPECT_FALSE(Help::instance().Spelling().Checker().IsAvailable());
    EXPECT_EQ(Marked(edit), QStringList());
    EXPECT_EQ(RightClick(edit, QStringLiteral("speling"), QString()).value(0), "&Undo");
    EXPECT_TRUE(edit->toPlainText().startsWith("My speling notes: MPD"));
}

} // namespace
