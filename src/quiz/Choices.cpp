// Drawing a question's song and its five answer choices; testing a final score against the table.
#include "framework/Errors.h"
#include "quiz/ChoiceRules.h"
#include "quiz/Module1.h"
#include "quiz/Window1.h"
#include "scores/GameScores.h"

#include <utility>

namespace {
// A draw gives up its song after this many rejected rows and starts again with another song.
constexpr int kRejectionsBeforeRestart = 1000;
// Lists that can never complete a draw are refused before drawing; this only bounds the loop should a
// list change under a draw.
constexpr int kMaxRestarts = 100000;

QRandomGenerator& Generator() {
    if (!Module1::R)
        throw fw::NilObjectError(QStringLiteral("Module1.R"));
    return *Module1::R;
}

// The row of a question's song: any row but those left out, whose songs cannot be played.
int DrawSong(int count, const QSet<int>& leftOut, QRandomGenerator& random) {
    if (leftOut.isEmpty())
        return random.bounded(count);
    QList<int> rows;
    for (int row = 0; row < count; ++row)
        if (!leftOut.contains(row))
            rows << row;
    return rows[random.bounded(int(rows.size()))];
}

// Puts the five choices in a random order, so the right answer is not always at the same place.
void Shuffle(QStringList& choices, QRandomGenerator& random) {
    for (int i = int(choices.size()) - 1; i > 0; --i)
        std::swap(choices[i], choices[random.bounded(i + 1)]);
}
} // namespace

void Window1::HandleChoices() {
    DrawChoices(unplayable_);
    ShowChoices();
}

void Window1::DrawChoices(const QSet<int>& leftOut) {
    const fw::Listbox& songs = *iTunes;
    QRandomGenerator& random = Generator();
    if (Module1::ChoiceArray.size() != Module1::ChoiceCount)
        throw fw::NilObjectError(QStringLiteral("Module1.ChoiceArray"));
    if (!CanDrawChoices(songs, leftOut))
        throw fw::Error(kTooFewTitlesMessage);

    for (int restart = 0;; ++restart) {
        if (restart == kMaxRestarts)
            throw fw::Error(kTooFewTitlesMessage);
        int rejections = 0;
        Module1::M = DrawSong(songs.ListCount(), leftOut, random);
        Module1::CorrectAnswer = ChoiceTitle(songs, Module1::M);
        Module1::ChoiceArray[0] = Module1::CorrectAnswer;
        bool complete = true;
        for (int slot = 1; slot < Module1::ChoiceCount && complete; ++slot) {
            for (;;) {
                const int row = random.bounded(songs.ListCount());
                bool rejected = row == Module1::M;
                if (!rejected) {
                    const QString text = ChoiceTitle(songs, row);
                    for (int earlier = 1; earlier < slot && !rejected; ++earlier)
                        rejected = Module1::ChoiceArray[earlier] == text;
                    if (!rejected) {
                        Module1::ChoiceArray[slot] = text;
                        break;
                    }
                }
                if (++rejections == kRejectionsBeforeRestart) {
                    complete = false;
                    break;
                }
            }
        }
        if (complete)
            break;
    }

    Shuffle(Module1::ChoiceArray, random);
}

void Window1::ShowChoices() {
    // Nothing is chosen for the player: a new list would otherwise select its first row.
    ComboBox1->clear();
    ComboBox1->addItems(Module1::ChoiceArray);
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->repaint();
}

void Window1::CheckScore() {
    if (Module1::Points <= 0) {
        Module1::NewHighScoreFlag = false;
        return;
    }
    Module1::NewHighScoreFlag = GameScores::instance().Table().qualifies(Module1::Points);
    if (Module1::NewHighScoreFlag)
        finishedScore_ = Module1::Points;
}
