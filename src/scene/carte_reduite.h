// The minimap of a scene: its place on the screen and its scales. The frame reads them to tell
// which map cell the mouse hovers.
#pragma once

#include <cstdint>

extern int32_t CarteReduiteX, CarteReduiteY;                   // top-left on the screen
extern int32_t CarteReduiteDecalageX, CarteReduiteDecalageY;   // offsets of its picture in its frame
extern float CarteReduiteEchelleX, CarteReduiteEchelleY;       // screen pixels per map cell

// Rebuilds the minimap's picture from the map (twice a second while it is shown).
void CarteReduite_MiseAJour();
void CarteReduite_Affichage();
// Places the minimap and paints its picture of the loaded level; frees it.
void CarteReduite_Creation();
void CarteReduite_Liberation();
