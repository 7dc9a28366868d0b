// The battle world's creation and teardown, and the screen geometry of the view.
#pragma once

#include <array>
#include <cstdint>

// Screen geometry: the view is a whole number of 48-pixel squares of two by two 24-pixel cells.
extern int32_t PasEcranOctets;   // bytes per row of the back buffer
extern int32_t PasEcranDemi;
extern int32_t PasEcranQuart;
extern int32_t TuilesVisiblesX;
extern int32_t TuilesVisiblesY;
extern int32_t CasesVisiblesX;
extern int32_t CasesVisiblesY;
extern int32_t DefilementMaxX;   // 128 minus the visible columns: the scroll bounds
extern int32_t DefilementMaxY;
extern int32_t NombreCasesVisibles;
extern int32_t LargeurLigneEcran;
extern std::array<int32_t, 128> DecalageLignes;

// The shared scratch path buffer of the loaders.
extern char CheminTampon[1024];

void Ecran__Geometrie(int largeur, int hauteur);
