// The unit icons by master type, shared with the screens that show units.
#pragma once

#include <cstdint>

// The master type shown by the icon of the skirmish preview, -1 when it has no icon.
extern int32_t FicheUniteType;

// The icon of ObjetCourant (or of FicheUniteType in the skirmish preview) for a portrait at (x, y).
void FicheUnite__Affichage(int x, int y);
