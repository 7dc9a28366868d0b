// The movie launcher: plays one full-screen movie and waits for its end.
#pragma once

#include <atomic>
#include <cstdint>

#include "media/tmreglages.h"

using RappelFilm = int32_t (*)(int32_t etat);

// Bit 0 while the movie plays, bit 1 asks for it to be played again.
extern std::atomic<int32_t> EtatCinematique;
extern RappelFilm RappelCinematique;
