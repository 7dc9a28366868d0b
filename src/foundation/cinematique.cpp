#include "foundation/cinematique.h"

std::atomic<int32_t> EtatCinematique{0};
RappelFilm RappelCinematique = nullptr;
