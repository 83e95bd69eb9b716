#include "quiz/ReplyParser.h"

#include <algorithm>

namespace ReplyParser {

namespace {

// The piece of reply that starts at from and runs to the next separator (or to the end); sets next to
// where the piece after it starts, past the end when there is none.
QStringView Piece(const QString& reply, qsizetype from, const QString& separator, qsizetype& next) {
    if (from >= reply.size()) {
        next = reply.size();
        return {};
    }
    const qsizetype at = reply.indexOf(separator, from);
    if (at < 0) {
        next = reply.size() + separator.size(); // "past the end": no separator followed the piece
        return QStringView(reply).mid(from);
    }
    next = at + separator.size();
    return QStringView(reply).mid(from, at - from);
}

QString Shown(const QString& text) {
    if (text.size() <= MaxShownTitle)
        return text;
    return text.left(MaxShownTitle) + QStringLiteral("...");
}

} // namespace

Rows PlaylistNames(const QString& reply) {
    Rows result;
    qsizetype cursor = 0;
    for (int i = 0; i < MaxPlaylists; ++i) {
        qsizetype next = 0;
        const QStringView name = Piece(reply, cursor, NameSeparator, next);
        if (name.isEmpty()) {
            result.rest = std::min(cursor, reply.size());
            return result;
        }
        result.rows << (i == 0 ? QStringLiteral(" ") + name.toString() : name.toString());
        cursor = next;
    }
    result.full = true;
    result.rest = std::min(cursor, reply.size());
    return result;
}

Rows SongTitles(const QString& reply) {
    Rows result;
    qsizetype cursor = 0;
    QString lastText;          // the last row before its shortening
    bool lastRanToEnd = false; // the last row's piece was not followed by a separator
    for (int i = 0; i < MaxTitles; ++i) {
        qsizetype next = 0;
        const QStringView title = Piece(reply, cursor, TitleSeparator, next);
        if (title.isEmpty())
            break;
        lastText = i == 0 ? QStringLiteral(" ") + title.toString() : title.toString();
        result.rows << Shown(lastText);
        lastRanToEnd = next > reply.size();
        cursor = next;
    }
    result.full = result.rows.size() == MaxTitles;
    // The cut follows the list's end. At the limit, only a last title that ended the reply carries the
    // trailer; any earlier one was followed by a separator and is whole. The trailer goes before the
    // shortening, so that none of it can show and a long last title is shortened like the others.
    if (!result.rows.isEmpty() && (!result.full || lastRanToEnd)) {
        lastText.truncate(std::max<qsizetype>(0, lastText.size() - TitleTrailer));
        result.rows.last() = Shown(lastText);
    }
    result.rest = std::min(cursor, reply.size());
    return result;
}

} // namespace ReplyParser
