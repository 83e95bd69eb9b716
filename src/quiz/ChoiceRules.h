// What a song list must hold before a question can be drawn from it.
#pragma once

#include <QString>

namespace fw {
class Listbox;
}

inline const QString kTooFewSongsMessage =
    QStringLiteral("There are not enough songs in this Playlist to play Zandolin!");
inline const QString kTooFewTitlesMessage =
    QStringLiteral("There are not enough different song titles in this Playlist to play Zandolin!");

// True when some song of the list leaves four different titles on the other rows, so that a draw of
// five choices can complete; false for an empty list or one with too few different titles.
bool CanDrawChoices(const fw::Listbox& songs);
