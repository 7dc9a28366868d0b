// The death of an object: morale and rout of its group, the counters, its footprint and group
// slot freed at once, then a delay of 75 frames before its slot is released.
#pragma once

#include <array>
#include <cstdint>

constexpr int TAILLE_TEMPORISATION_MORT = 4096;
constexpr int DELAI_MORT = 75;
constexpr int ARMEE_REPERE = 1000;   // the army of the placeholder that marks water and impassable cells

extern std::array<int32_t, TAILLE_TEMPORISATION_MORT> TemporisationMort;   // objects counting down
extern int32_t TemporisationMortNbr;
extern int32_t NombreObjetsMorts;   // objects in ListeObjetsMorts

// Kills `objet`; `liberation` is the grid its footprint is freed from (0 none, 1 air, 2 units,
// 3 ground). Index 0, an index outside the table, a free slot and the placeholder are left alone.
void Objet__Mort(int objet, int liberation);
// Frees the footprint, the group slot, the paths; leaves a corpse. Called by Objet__Mort.
void ObjetDestruction(int objet);
// Once per game frame: objects whose delay ran out go to ListeObjetsMorts.
void TemporisationMort__Tick();
// Scene teardown: the listed objects go to ListeObjetsMorts without waiting.
void TemporisationMort__Vidage();
// After the scene display: every object of ListeObjetsMorts gives back its slot.
void ObjetsMorts__Liberation();
// One of the four death cries of ObjetCourant to the message log.
void Objet__CriMort();
