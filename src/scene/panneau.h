// The selection panel and the ability bar.
#pragma once

#include <array>
#include <cstdint>

// The ability bar: its slot count (0..9) and, per slot, the owner object, the index 0..8 in the
// owner's spells and whether it may be cast now.
extern int32_t CapacitesNombre;
extern std::array<int32_t, 9> CapacitesObjets;
extern std::array<int32_t, 9> CapacitesIndex;
extern std::array<int32_t, 9> CapacitesActives;

// The master type shown by the icon of the skirmish preview, -1 when it has no icon.
extern int32_t FicheUniteType;
// The icon of ObjetCourant (or of FicheUniteType in the skirmish preview) for a portrait at (x, y).
void FicheUnite__Affichage(int x, int y);
