#include "quiz/ChoiceRules.h"

#include "framework/Listbox.h"

#include <QHash>

bool CanDrawChoices(const fw::Listbox& songs) {
    // The four wrong choices need four different texts among the rows other than the song's own.
    // With five or more different titles any song will do; with exactly four, only a song whose title
    // stands on another row too.
    QHash<QString, int> counts;
    for (int row = 0; row < songs.ListCount(); ++row)
        ++counts[songs.Cell(row, 0)];
    if (counts.size() >= 5)
        return true;
    if (counts.size() < 4)
        return false;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > 1)
            return true;
    return false;
}
