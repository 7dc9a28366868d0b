// Weather: the wind that carries the particles.
#pragma once

#include <cstdint>

extern int32_t VentForce;       // pixels per frame
extern int32_t VentDirection;   // 0 up, then clockwise in eighths: 2 right, 4 down, 6 left

// The hour of the battle's time of day, 0..23.
extern int32_t HeureDuJour;
// The light level 0..31 of the current hour.
extern int32_t IntensiteLumineuse;
// Snow cells in the visible window, counted by Neige__CompteCases.
extern int32_t CasesNeige;
void Neige__CompteCases();
