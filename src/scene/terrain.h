// The ground of the visible window: lit 48 x 48 squares of the level's tile stream, and the light
// grid at the squares' corners (the hour's level, light sources, the spot under the mouse).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

// Corner lights: row stride CasesVisiblesX + 1, CasesVisiblesY + 1 rows plus one spare row that
// the sums of the last row read; corner (i, j) of the squares is element j * stride + i.
extern std::vector<int32_t> GrilleLumiere;
// For square (i, j), at j * CasesVisiblesX + i: the sum of its four corners.
extern std::vector<int32_t> GrilleLumiereSomme;
extern const std::array<std::array<int32_t, 5>, 5> TacheLumiere;
// The map cell under the mouse while a box is lit.
extern int32_t ZoneCurseurX;
extern int32_t ZoneCurseurY;

void Terrain__Affichage();

// Sizes both grids for the current view geometry.
void Lumiere__Dimensionner();
void Lumiere__GrilleRaz();
// Light of strength s from view cell (c, r), centred on the bottom-right corner of its square.
void Lumiere__Source(int32_t c, int32_t r, int32_t s);
void Lumiere__TacheCurseur();
void Lumiere__Moyenne();
// The strength of the light an object gives (below 1: none).
int32_t Lumiere__ForceObjet(int32_t famille, int32_t classe, int32_t armee, int32_t typeMaitre);
void Zone__Affichage();
void Eau__AffichageVisible();
void Lave__AffichageVisible();
