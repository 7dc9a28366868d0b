#include "scene/panneau.h"

#include "foundation/objetsgfx.h"

// The bar is not drawn yet, so it holds no slot.
int32_t CapacitesNombre = 0;
std::array<int32_t, 9> CapacitesObjets{};
std::array<int32_t, 9> CapacitesIndex{};
std::array<int32_t, 9> CapacitesActives{};

int32_t FicheUniteType = -1;

// Until the unit icons exist: the portrait sheet's first frame for any master type.
void FicheUnite__Affichage(int x, int y) {
    if (FicheUniteType >= 0) Sprite__Affiche(646, x, y, 0);
}
