// The script items: each runs one of the music-player scripts 168 to 174 with an ordered list of values.
// Integers are passed as integers and anything else as its text; a failing script raises fw::Error.
//
// A script that finds MPD silent says only where it looked; the item adds what the user can do once MPD
// answers, which depends on what they were doing: each item has its own advice, and 169's caller says it.
#pragma once

#include <QString>
#include <QVariantList>

// The exit status by which script 169 says that MPD cannot play the song (EX_DATAERR): its file is gone or
// broken.
constexpr int kSongCannotPlay = 65;

void AppleScript1(const QVariantList& params);         // 168, reply dropped (the loader thread)
QString AppleScript1Reply(const QVariantList& params); // 168: the titles of a playlist
// 169: play a track of a playlist; thenPress names the button that asks again ("Next Song").
void AppleScript2(const QVariantList& params, const QString& thenPress);
void AppleScript3(const QVariantList& params);    // 170: end the song's playing
void AppleScript4(const QVariantList& params);    // 171: a few more seconds of the song
QString AppleScript5(const QVariantList& params); // 172: the playlist names
void AppleScript6(const QVariantList& params);    // 173
void AppleScript7a(const QVariantList& params);   // 174
