// Filling the playlist table and the song list from the music player, and folding the lists away.
#include "quiz/Window1.h"

void Window1::GetiTunePlaylists() {}

void Window1::Playlists_Open() {}

void Window1::Playlists_DoubleClick() {}

void Window1::BuildiTuneTable() {}

void Window1::Thread1_Run() {}

void Window1::DisclosureTriangle1_Action() {}
