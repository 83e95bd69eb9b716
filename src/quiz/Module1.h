// The quiz's game state, read and written directly by the quiz window's handlers.
#pragma once

#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

namespace Module1 {

inline std::int32_t Points = 0;   // running score of the current test; may go below zero
inline std::int32_t Question = 0; // 0 after a reset, 1 to 20 during a test
inline QString CorrectAnswer;     // the title of the song that plays (without the list's leading blank)
inline std::int32_t M = 0;        // zero-based row of the current song in the song list
inline std::int32_t Z = 0;        // one-based number of the chosen playlist (1 is the library)
inline QStringList ChoiceArray;   // the five answer choices, indices 0 to 4
inline std::unique_ptr<QRandomGenerator> R; // created when the application opens
inline bool NewHighScoreFlag = false;
inline bool SoundFlag = false; // the value kept in the settings file
inline QString Name;           // the name last entered in the name-entry window this run

constexpr int ChoiceCount = 5;

// The module initialiser: five empty answer choices.
void Initialize();
// The releases at shutdown, in order: Name, ChoiceArray, CorrectAnswer, R.
void Release();

} // namespace Module1
