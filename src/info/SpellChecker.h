// Spell checking through the system's Enchant library: marks the words of a text edit that the
// dictionary does not know, as the user types, and offers the dictionary's suggestions for such a word
// in the edit's context menu. Where no dictionary for the language is installed, nothing is marked.
#pragma once

#include <QStringList>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>

class QMenu;
class QPlainTextEdit;
struct str_enchant_broker;
struct str_enchant_dict;

class SpellChecker {
public:
    // language: a dictionary tag such as "en_US".
    explicit SpellChecker(const QString& language);
    ~SpellChecker();
    SpellChecker(const SpellChecker&) = delete;
    SpellChecker& operator=(const SpellChecker&) = delete;

    // Whether a dictionary for the language was found; without one every word counts as known.
    bool IsAvailable() const { return dict_ != nullptr; }
    bool IsKnown(const QString& word) const;
    QStringList Suggestions(const QString& word) const;
    // Words that count as known while this checker lives (names the dictionary cannot know).
    void Accept(const QStringList& words);

private:
    str_enchant_broker* broker_ = nullptr;
    str_enchant_dict* dict_ = nullptr;
};

class SpellHighlighter : public QSyntaxHighlighter {
public:
    // Checks the edit's text with the checker and takes over the edit's context menu.
    SpellHighlighter(QPlainTextEdit* edit, const QString& language);

    SpellChecker& Checker() { return checker_; }
    // The edit's context menu at a point of its viewport: for an unknown word there, the suggestions
    // first (each replaces the word), then the usual editing commands. The caller owns the menu.
    QMenu* ContextMenu(const QPoint& at);

protected:
    void highlightBlock(const QString& text) override;

private:
    QPlainTextEdit* edit_;
    SpellChecker checker_;
    QTextCharFormat unknown_;
};
