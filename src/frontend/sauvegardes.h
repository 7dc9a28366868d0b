// The names of the ten save slots, kept in "..\Sauvegarde\NOMS.TXT": one line a slot, "_101_" for
// an empty slot, any other text being the slot's name.
#pragma once

#include <cstdint>

constexpr int NB_SAUVEGARDES = 10;
constexpr int TAILLE_NOM_SAUVEGARDE = 33;   // 32 characters and the 0

extern char NomsSauvegardes[NB_SAUVEGARDES][TAILLE_NOM_SAUVEGARDE];
extern int32_t SauvegardeVide[NB_SAUVEGARDES];   // 1 when the slot is empty

// Reads the file. An empty slot is given the empty-slot text of the interface texts (line 20), so
// that the lists show it. A missing file gives ten empty slots; a file of fewer than ten lines is
// reported and its missing slots are empty; a name longer than 32 characters is cut.
void LireSauvegardes();

// Writes the whole file from the table (a temporary file renamed over the old one).
void EcrireSauvegardes();
