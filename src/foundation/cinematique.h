// The movie launcher: plays one full-screen movie and waits for its end.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "media/tmreglages.h"

struct TMMovie;
using RappelFilm = int32_t (*)(int32_t etat);

// Bit 0 while the movie plays, bit 1 asks for it to be played again.
extern std::atomic<int32_t> EtatCinematique;
// Called on the main thread after each frame has been copied into the back buffer.
extern RappelFilm RappelCinematique;

// The movie object and its records, made by the display's movie hand-over.
extern TMMovie* FilmCourant;
extern TMPlayParams ParametresFilm;
extern TMSettings ReglagesFilm;

// Plays `nom` (a path under the movie's root, e.g. "rvf\Menu.rvf") full screen and returns when
// it (and its replays) ended, or when the program is quitting. passable: Escape or the right
// button ends it. The menu movie is looked for beside the game, every other one on the drives.
void Cinematique_Jouer(const char* nom, int passable, RappelFilm rappel);

// The roots the drives stand for, in search order: the folder named by MORVANE_CD (a game
// path such as "..\cd"), then the game's own folder "..".
std::vector<std::string> Cinematique_Lecteurs();
