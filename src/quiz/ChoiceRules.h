// What a song list must hold before a question can be drawn from it.
#pragma once

#include <QSet>
#include <QString>

namespace fw {
class Listbox;
}

inline const QString kTooFewSongsMessage =
    QStringLiteral("There are not enough songs in this Playlist to play Zandolin!");
inline const QString kTooFewTitlesMessage =
    QStringLiteral("There are not enough different song titles in this Playlist to play Zandolin!");
// The title that row of the song list stands for, as the choices offer it and the answer is judged: the
// list shows its first title after one blank, which is not part of the title.
QString ChoiceTitle(const fw::Listbox& songs, int row);

// True when some song of the list, not one of the rows left out (songs that cannot be played), leaves four
// different titles on the other rows, so that a draw of five choices can complete; false for an empty
// list or one with too few different titles. Reads the list only until it has found five different
// titles, so a question on a long list does not wait for it.
bool CanDrawChoices(const fw::Listbox& songs, const QSet<int>& leftOut = {});
