// Spell checking in the help window: unknown words are marked as the user types, the context menu offers
// the dictionary's suggestions and replaces the word, and without a dictionary nothing is marked.
#include "info/Help.h"
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

// The words drawn with the spell-check underline, in reading order.
QStringList Marked(const QPlainTextEdit* edit) {
    QStringList words;
    for (QTextBlock block = edit->document()->begin(); block.isValid(); block = block.next())
        for (const QTextLayout::FormatRange& range : block.layout()->formats())
            if (range.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline)
                words << block.text().mid(range.start, range.length);
    return words;
}

// Opens the edit's context menu over the first occurrence of the word, as a right click does, and
// answers it with the entry named choice (or none); returns the menu's entries without their shortcuts.
QStringList RightClick(QPlainTextEdit* edit, const QString& word, const QString& choice) {
    QTextCursor at = edit->document()->find(word);
    at.setPosition(at.selectionStart() + 1);
    const QPoint point = edit->cursorRect(at).center();
    QStringList entries;
    QObject scope; // the answer is never run once this call has returned
    QTimer::singleShot(0, &scope, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        for (QAction* action : menu ? menu->actions() : QList<QAction*>()) {
            entries << action->text().section(QLatin1Char('\t'), 0, 0);
            if (action->text() == choice)
                action->trigger();
        }
        if (menu)
            menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, point, edit->viewport()->mapToGlobal(point));
    QApplication::sendEvent(edit->viewport(), &event);
    return entries;
}

using Spelling = testing_support::AppTest;

TEST_F(Spelling, UnknownWordsAreMarkedAndASuggestionReplacesThemUnlessNoDictionaryIsInstalled) {
    for (const char* language : {"", "xx_XX"}) { // American English, and a language without a dictionary
        SCOPED_TRACE(language);
        const bool checked = !*language;
        Help::SetSpellingLanguage(QString::fromLatin1(language));
        auto* edit = Help::instance().EditField1;
        ProcessEvents(); // shown
        edit->moveCursor(QTextCursor::Start);
        QTest::keyClicks(edit, "My speling notes: ");
        EXPECT_EQ(Marked(edit),
                  checked ? QStringList{"speling"} : QStringList()); // the help's names are known

        const QStringList entries = RightClick(edit, QStringLiteral("speling"), QStringLiteral("spelling"));
        EXPECT_EQ(entries.mid(0, 8).contains("spelling"), checked);
        EXPECT_TRUE(entries.contains("&Copy")); // the usual commands follow
        EXPECT_TRUE(
            edit->toPlainText().startsWith(checked ? "My spelling notes: MPD" : "My speling notes: MPD"));
        EXPECT_EQ(Marked(edit), QStringList());
        EXPECT_EQ(RightClick(edit, QStringLiteral("notes"), QString()).value(0), "&Undo"); // a known word
        Help::instance().close();
        ProcessEvents();
    }
    Help::SetSpellingLanguage(QString());
}

} // namespace
