// Turns the music player's list replies into the rows that the playlist table and the song list show.
// Both parsers walk the reply with a cursor, so a reply is read once, in linear time.
#pragma once

#include <QString>
#include <QStringList>

namespace ReplyParser {

constexpr int MaxPlaylists = 100;
constexpr int MaxTitles = 10000;
constexpr int MaxShownTitle = 50; // UTF-16 units; a longer title shows its start and "..."

inline const QString NameSeparator = QStringLiteral(",");
inline const QString TitleSeparator = QStringLiteral("##%#,");
constexpr int TitleTrailer = 4; // the characters after the last title ("##%#")

struct Rows {
    QStringList rows;
    // The list stopped at its limit rather than at an empty piece.
    bool full = false;
};

// Playlist names separated by ",": one row per name, a blank in front of the first, at most 100. An
// empty piece (also the one after a trailing ",") ends the list.
Rows PlaylistNames(const QString& reply);

// Song titles separated by "##%#,", the last followed by "##%#": one row per title, at most 10,000, a
// blank in front of the first, each longer one shortened to at most 50 UTF-16 units, cut between two
// characters, and "...". The four characters after the last title are cut from the last row before its
// shortening; titles beyond the limit are not read.
Rows SongTitles(const QString& reply);

} // namespace ReplyParser
