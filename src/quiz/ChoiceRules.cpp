#include "quiz/ChoiceRules.h"

#include "framework/Listbox.h"

#include <algorithm>
#include <array>

QString ChoiceTitle(const fw::Listbox& songs, int row) {
    QString title = songs.Cell(row, 0);
    if (row == 0 && title.startsWith(QLatin1Char(' ')))
        title.remove(0, 1);
    return title;
}

bool CanDrawChoices(const fw::Listbox& songs, const QSet<int>& leftOut) {
    // The four wrong choices need four different texts among the rows other than the song's own.
    // With five or more different titles any song will do; with exactly four, only a song whose title
    // stands on another row too.
    struct Seen {
        QString title;
        int rows = 0;
        bool playable = false; // one of its rows may be the song
    };
    if (leftOut.size() >= songs.ListCount())
        return false;
    std::array<Seen, 4> seen;
    int different = 0;
    for (int row = 0; row < songs.ListCount(); ++row) {
        const QString title = ChoiceTitle(songs, row);
        const bool playable = !leftOut.contains(row);
        auto end = seen.begin() + different;
        auto found = std::find_if(seen.begin(), end, [&](const Seen& s) { return s.title == title; });
        if (found != end) {
            ++found->rows;
            found->playable = found->playable || playable;
        } else if (different == int(seen.size())) {
            return true; // a fifth title, and some row is playable
        } else {
            *found = {title, 1, playable};
            ++different;
        }
    }
    return different == 4 &&
           std::any_of(seen.begin(), seen.end(), [](const Seen& s) { return s.rows > 1 && s.playable; });
}
