// The game's own random numbers, in place of the C library's rand(): 15-bit results, seedable.
// Two streams: the rules of the game (combat, AI, spells, births), and what is only seen or heard
// (particles, shake, blood, the choice among sounds), so that the view never changes a battle.
#pragma once

#include <cstdint>

int Hasard_Regles();    // 0..32767
int Hasard_Visuel();    // 0..32767
void Hasard_Graine(uint32_t graine);        // both streams
void Hasard_GraineRegles(uint32_t graine);
void Hasard_GraineVisuel(uint32_t graine);
