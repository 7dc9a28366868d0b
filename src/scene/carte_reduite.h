// The minimap.
#pragma once

#include <cstdint>

extern int32_t CarteReduiteVisible;
// Rebuilds the overlay of units.
void CarteReduite_MiseAJour();
void CarteReduite_Affichage();
