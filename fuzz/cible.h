// Fuzz targets: each feeds its bytes to one of the game's readers through a file of a temporary
// game tree (the sample data copied once), with the end of the program turned into a return, so
// that a clean refusal is no finding. A target defines Cible_Preparer (once) and Cible_Lire.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Writes a file of the tree (relative path with '/').
void Cible_Ecrire(const std::string& relatif, const uint8_t* donnees, size_t taille);

void Cible_Preparer();
void Cible_Lire(const uint8_t* donnees, size_t taille);
