// Weather: the wind that carries the particles.
#pragma once

#include <cstdint>

extern int32_t VentForce;       // pixels per frame
extern int32_t VentDirection;   // 0 up, then clockwise in eighths: 2 right, 4 down, 6 left

// The light level 0..31 of the current hour.
extern int32_t IntensiteLumineuse;
// Snow cells in the visible window, counted by Neige__CompteCases.
extern int32_t CasesNeige;
void Neige__CompteCases();

// Clouds drawn over the objects while set.
extern int32_t NuagesActifs;
void Nuages__Affichage();
// Snowflakes over the view (the scene display calls it while 81 or more snow cells are seen).
void Neige__Emission();
