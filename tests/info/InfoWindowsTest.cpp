// The About box and the help window, spell-checked as the user types.
#include "info/AboutBox.h"
#include "info/Help.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

namespace {

using InfoWindows = testing_support::AppTest;

TEST_F(InfoWindows, TheAboutBoxShowsTheVersionOpensItsLinksOrSaysWhyNotAndEscapeClosesIt) {
    AboutBox& box = AboutBox::instance();
    EXPECT_EQ(box.StaticText4->text(), ZANDOLIN_VERSION " Linux");
    QTest::mouseClick(box.PushButton1, Qt::LeftButton);
    services->opensUrls = false; // no browser or mail program is set up
    QTest::mouseClick(box.PushButton2, Qt::LeftButton);
    EXPECT_EQ(services->urls, QStringList({"mailto:author@zandolin.example", "http://www.zandolin.example"}));
    EXPECT_EQ(services->messages,
              QStringList{"This address could not be opened:\n\nhttp://www.zandolin.example\n\n"
                          "No web browser or mail program on this computer is set up to open it."});
    ProcessEvents(); // shown
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_EQ(fw::OpenInstance<AboutBox>(), nullptr);
}

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
QStringList RightClick(QPlainTextEdit* edit, const QString& word, const QString& choice = {}) {
    QTextCursor at = edit->document()->find(word);
    at.setPosition(at.selectionStart() + 1);
    const QPoint point = edit->cursorRect(at).center();
    QStringList entries;
    QObject scope; // the answer is never run once this call has returned
    QTimer::singleShot(0, &scope, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions()) {
            entries << action->text().section('\t', 0, 0);
            if (action->text() == choice)
                action->trigger();
        }
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, point, edit->viewport()->mapToGlobal(point));
    QApplication::sendEvent(edit->viewport(), &event);
    return entries;
}

TEST_F(InfoWindows, HelpMarksUnknownWordsAndASuggestionReplacesThemUnlessNoDictionaryIsInstalled) {
    for (const QString language : {"", "xx_XX"}) { // American English, and a language without a dictionary
        SCOPED_TRACE(language.toStdString());
        const bool checked = language.isEmpty();
        Help::SetSpellingLanguage(language);
        QPlainTextEdit* edit = Help::instance().EditField1;
        ProcessEvents(); // shown
        edit->moveCursor(QTextCursor::Start);
        QTest::keyClicks(edit, "My speling notes: ");
        EXPECT_EQ(Marked(edit),
                  checked ? QStringList{"speling"} : QStringList()); // the help's names are known
        const QStringList entries = RightClick(edit, "speling", "spelling");
        EXPECT_EQ(entries.mid(0, 8).contains("spelling"), checked);
        EXPECT_TRUE(entries.contains("&Copy")); // the usual commands follow
        EXPECT_TRUE(
            edit->toPlainText().startsWith(checked ? "My spelling notes: MPD" : "My speling notes: MPD"));
        EXPECT_EQ(RightClick(edit, "notes").value(0), "&Undo"); // a known word
        Help::instance().close(); // the next window shows the help text without the edits
        ProcessEvents();
    }
    Help::SetSpellingLanguage(QString());
}

} // namespace
