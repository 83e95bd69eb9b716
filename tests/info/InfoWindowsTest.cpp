// The About box and the help window, spell-checked as the user types.
#include "info/AboutBox.h"
#include "info/Help.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

namespace {

class InfoWindows : public testing_support::AppTest {
protected:
    void TearDown() override {
        Help::SetSpellingLanguage(QString());
        AppTest::TearDown();
    }
};

TEST_F(InfoWindows, TheAboutBoxShowsTheVersionOpensItsLinksOrSaysWhyNotAndEscapeClosesIt) {
    AboutBox& box = AboutBox::instance();
    EXPECT_EQ(box.StaticText4->text(), ZANDOLIN_VERSION " Linux");
    for (const bool opens : {true, false}) { // false: no browser or mail program is set up
        services->opensUrls = opens;
        QTest::mouseClick(box.PushButton1, Qt::LeftButton);
        QTest::mouseClick(box.PushButton2, Qt::LeftButton);
    }
    const QStringList links{"mailto:author@zandolin.example", "http://www.zandolin.example"};
    EXPECT_EQ(services->urls, links + links);
    QStringList told;
    for (const QString& url : links)
        told << "This address could not be opened:\n\n" + url +
                    "\n\nNo web browser or mail program on this computer is set up to open it.";
    EXPECT_EQ(services->messages, told);
    ProcessEvents();
    ASSERT_TRUE(box.isVisible());
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_EQ(fw::OpenInstance<AboutBox>(), nullptr);
}

// The words of the edit's first paragraph drawn with the spell-check underline.
QStringList Marked(const QPlainTextEdit* edit) {
    QStringList words;
    const QTextBlock block = edit->document()->firstBlock();
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
        for (QAction* action : menu ? menu->actions() : QList<QAction*>()) {
            entries << action->text().section('\t', 0, 0);
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

TEST_F(InfoWindows,
       HelpShowsFourParagraphsMarksUnknownWordsAndASuggestionReplacesThemUnlessNoDictionaryIsInstalled) {
    for (const QString language : {"", "xx_XX"}) { // American English, and a language without a dictionary
        SCOPED_TRACE(language.toStdString());
        const bool checked = language.isEmpty();
        Help::SetSpellingLanguage(language);
        QPlainTextEdit* edit = Help::instance().EditField1;
        ProcessEvents(); // shown
        const QString help = edit->toPlainText();
        EXPECT_EQ(help.split("\n\n").size(), 4);
        // No break inside a paragraph, no blank around it, never one or three blanks after a sentence.
        EXPECT_FALSE(help.contains(QRegularExpression("[^\n]\n[^\n]|\n\n\n|\r|^\\s|\\s$|[.] (?! )|   ")));
        edit->moveCursor(QTextCursor::Start);
        QTest::keyClicks(edit, "My speling notes: ");
        EXPECT_EQ(Marked(edit),
                  checked ? QStringList{"speling"} : QStringList()); // the help's names are known
        const QStringList entries = RightClick(edit, "speling", "spelling");
        EXPECT_EQ(entries.mid(0, 8).contains("spelling"), checked);
        EXPECT_TRUE(entries.contains("&Copy")); // the usual commands follow
        EXPECT_TRUE(
            edit->toPlainText().startsWith(checked ? "My spelling notes: MPD" : "My speling notes: MPD"));
        EXPECT_EQ(Marked(edit), QStringList());
        EXPECT_EQ(RightClick(edit, "notes").value(0), "&Undo"); // a known word
        Help::instance().close(); // the next window shows the help text without the edits
        ProcessEvents();
    }
}

} // namespace
