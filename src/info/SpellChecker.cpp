#include "info/SpellChecker.h"

#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextBlock>
#include <enchant.h>
#include <memory>

namespace {

// A word: letters, with apostrophes inside ("MPD's", "don't").
const QRegularExpression& WordPattern() {
    static const QRegularExpression word(QStringLiteral("\\p{L}+(?:['\u2019]\\p{L}+)*"));
    return word;
}

QByteArray ForDictionary(const QString& word) {
    return QString(word).replace(QChar(0x2019), QLatin1Char('\'')).toUtf8();
}

constexpr int kMostSuggestions = 8;

} // namespace

// --- SpellChecker

SpellChecker::SpellChecker(const QString& language) : broker_(enchant_broker_init()) {
    const QByteArray tag = language.toUtf8();
    if (broker_ && enchant_broker_dict_exists(broker_, tag.constData()))
        dict_ = enchant_broker_request_dict(broker_, tag.constData());
}

SpellChecker::~SpellChecker() {
    if (dict_)
        enchant_broker_free_dict(broker_, dict_);
    if (broker_)
        enchant_broker_free(broker_);
}

bool SpellChecker::IsKnown(const QString& word) const {
    if (!dict_)
        return true;
    const QByteArray bytes = ForDictionary(word);
    // Below 0 the dictionary could not tell; such a word is not marked.
    return enchant_dict_check(dict_, bytes.constData(), bytes.size()) <= 0;
}

QStringList SpellChecker::Suggestions(const QString& word) const {
    QStringList result;
    if (!dict_)
        return result;
    const QByteArray bytes = ForDictionary(word);
    size_t count = 0;
    char** suggestions = enchant_dict_suggest(dict_, bytes.constData(), bytes.size(), &count);
    for (size_t i = 0; i < count && result.size() < kMostSuggestions; ++i)
        result << QString::fromUtf8(suggestions[i]);
    if (suggestions)
        enchant_dict_free_string_list(dict_, suggestions);
    return result;
}

void SpellChecker::Accept(const QStringList& words) {
    if (!dict_)
        return;
    for (const QString& word : words) {
        const QByteArray bytes = ForDictionary(word);
        enchant_dict_add_to_session(dict_, bytes.constData(), bytes.size());
    }
}

// --- SpellHighlighter

SpellHighlighter::SpellHighlighter(QPlainTextEdit* edit, const QString& language)
    : QSyntaxHighlighter(edit->document()), edit_(edit), checker_(language) {
    unknown_.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    unknown_.setUnderlineColor(Qt::red);
    edit_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(edit_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const std::unique_ptr<QMenu> menu(ContextMenu(at));
        menu->exec(edit_->viewport()->mapToGlobal(at));
    });
}

void SpellHighlighter::highlightBlock(const QString& text) {
    if (!checker_.IsAvailable())
        return;
    for (auto words = WordPattern().globalMatch(text); words.hasNext();) {
        const QRegularExpressionMatch word = words.next();
        if (!checker_.IsKnown(word.captured()))
            setFormat(int(word.capturedStart()), int(word.capturedLength()), unknown_);
    }
}

QMenu* SpellHighlighter::ContextMenu(const QPoint& at) {
    QMenu* menu = edit_->createStandardContextMenu();
    const QTextCursor click = edit_->cursorForPosition(at);
    const QTextBlock block = click.block();
    for (auto words = WordPattern().globalMatch(block.text()); words.hasNext();) {
        const QRegularExpressionMatch word = words.next();
        const int inBlock = click.positionInBlock();
        if (inBlock < word.capturedStart() || inBlock > word.capturedEnd() ||
            checker_.IsKnown(word.captured()))
            continue;
        QAction* first = menu->actions().value(0);
        const QStringList suggestions = checker_.Suggestions(word.captured());
        for (const QString& suggestion : suggestions) {
            // A menu reads "&" as the mark of a shortcut key; a suggestion shows as the dictionary spells it.
            auto* replace =
                new QAction(QString(suggestion).replace(QLatin1Char('&'), QLatin1String("&&")), menu);
            const int from = block.position() + int(word.capturedStart());
            const int to = block.position() + int(word.capturedEnd());
            connect(replace, &QAction::triggered, edit_, [this, from, to, suggestion] {
                QTextCursor cursor(edit_->document());
                cursor.setPosition(from);
                cursor.setPosition(to, QTextCursor::KeepAnchor);
                cursor.insertText(suggestion);
            });
            menu->insertAction(first, replace);
        }
        if (suggestions.isEmpty()) {
            auto* none = new QAction(QStringLiteral("No suggestions"), menu);
            none->setEnabled(false);
            menu->insertAction(first, none);
        }
        menu->insertSeparator(first);
        break;
    }
    return menu;
}
