// Time: the millisecond tick count, the performance counter, sleep.
// Headless runs use a manual clock that only moves when the program waits.
#pragma once

#include <cstdint>

uint32_t Temps_Ticks();                   // milliseconds, 32-bit, wraps; compare unsigned differences
uint64_t Temps_Compteur();                // performance counter
uint64_t Temps_Frequence();               // its ticks per second
void Temps_Dormir(uint32_t millisecondes);

// Manual clock (headless and tests).
bool Temps_Manuel();
void Temps_Avancer(uint32_t millisecondes);
void Temps_Fixer(uint32_t ticks);
