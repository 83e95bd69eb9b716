#include "quiz/ReplyParser.h"

#include <QTextBoundaryFinder>
#include <algorithm>
#include <limits>

namespace ReplyParser {

namespace {

// Where separator next occurs in text from position from, -1 when it does not. Looks for its first
// character (a vectorised scan) and compares the rest there: separators are short and rare in names.
qsizetype Find(QStringView text, QStringView separator, qsizetype from) {
    const QChar first = separator.front();
    const QStringView tail = separator.mid(1);
    for (;;) {
        const qsizetype at = text.indexOf(first, from);
        if (at < 0 || text.size() - at < separator.size())
            return -1;
        if (text.mid(at + 1, tail.size()) == tail)
            return at;
        from = at + 1;
    }
}

// The piece of reply that starts at from and runs to the next separator (or to the end); sets next to
// where the piece after it starts, past the end when there is none.
QStringView Piece(QStringView reply, qsizetype from, QStringView separator, qsizetype& next) {
    if (from >= reply.size()) {
        next = reply.size();
        return {};
    }
    const qsizetype at = Find(reply, separator, from);
    if (at < 0) {
        next = reply.size() + separator.size(); // "past the end": no separator followed the piece
        return reply.mid(from);
    }
    next = at + separator.size();
    return reply.mid(from, at - from);
}

// How much of a longer text to keep so that at most units of it show: up to a place between two characters
// (graphemes), so that a cut never shows half an emoji or a letter without its accent.
qsizetype CharacterCut(QStringView text, qsizetype units) {
    // Below the combining marks (U+0300) two code points always part, but for CR LF: most titles need no
    // finder, which costs ten times the rest of a row.
    const char16_t before = units > 0 ? text[units - 1].unicode() : 0, after = text[units].unicode();
    if (before < 0x300 && after < 0x300 && !(before == u'\r' && after == u'\n'))
        return units;
    // Whether a place ends a character depends on the text before it and on the one character after it (two
    // units at most), so the finder reads no further; its working memory fits on the stack.
    unsigned char memory[MaxShownTitle + 3];
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.data(), std::min(text.size(), units + 2),
                               memory, sizeof memory);
    finder.setPosition(units);
    return finder.isAtBoundary() ? units : std::max<qsizetype>(finder.toPreviousBoundary(), 0);
}

// A row's text: the piece, after a blank when it is the first, shortened to limit units and "...".
// Made in one allocation: with thousands of rows, allocation is most of the work.
QString Row(QStringView piece, bool first, qsizetype limit) {
    const qsizetype lead = first ? 1 : 0;
    if (!first && piece.size() <= limit)
        return piece.toString();
    const bool shortened = piece.size() + lead > limit;
    const qsizetype kept = shortened ? CharacterCut(piece, limit - lead) : piece.size();
    QString row(lead + kept + (shortened ? 3 : 0), Qt::Uninitialized);
    QChar* out = row.data();
    if (first)
        *out++ = QLatin1Char(' ');
    out = std::copy_n(piece.data(), kept, out);
    if (shortened)
        std::fill_n(out, 3, QLatin1Char('.'));
    return row;
}

} // namespace

Rows PlaylistNames(const QString& reply) {
    Rows result;
    qsizetype cursor = 0;
    for (int i = 0; i < MaxPlaylists; ++i) {
        qsizetype next = 0;
        const QStringView name = Piece(reply, cursor, NameSeparator, next);
        if (name.isEmpty())
            return result;
        result.rows << Row(name, i == 0, std::numeric_limits<qsizetype>::max());
        cursor = next;
    }
    result.full = true;
    return result;
}

Rows SongTitles(const QString& reply) {
    Rows result;
    // Titles are rarely shorter than eight characters with their separator; a guess saves regrowing.
    result.rows.reserve(std::min<qsizetype>(MaxTitles, reply.size() / 8 + 1));
    qsizetype cursor = 0;
    QStringView lastPiece;
    bool lastRanToEnd = false; // the last row's piece was not followed by a separator
    for (int i = 0; i < MaxTitles; ++i) {
        qsizetype next = 0;
        const QStringView title = Piece(reply, cursor, TitleSeparator, next);
        if (title.isEmpty())
            break;
        result.rows << Row(title, i == 0, MaxShownTitle);
        lastPiece = title;
        lastRanToEnd = next > reply.size();
        cursor = next;
    }
    result.full = result.rows.size() == MaxTitles;
    // The cut follows the list's end. At the limit, only a last title that ended the reply carries the
    // trailer; any earlier one was followed by a separator and is whole. The trailer goes before the
    // shortening, so that none of it can show and a long last title is shortened like the others.
    if (!result.rows.isEmpty() && (!result.full || lastRanToEnd)) {
        const bool first = result.rows.size() == 1;
        const qsizetype kept = lastPiece.size() + (first ? 1 : 0) - TitleTrailer;
        if (kept <= 0)
            result.rows.last().clear();
        else
            result.rows.last() = first ? Row(lastPiece.left(kept - 1), true, MaxShownTitle)
                                       : Row(lastPiece.left(kept), false, MaxShownTitle);
    }
    return result;
}

} // namespace ReplyParser
