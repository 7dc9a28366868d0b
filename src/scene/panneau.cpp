#include "scene/panneau.h"

#include "foundation/objetsgfx.h"

int32_t FicheUniteType = -1;

// Until the unit icons exist: the portrait of the master type's unit, frame 0 of its sheet.
void FicheUnite__Affichage(int x, int y) {
    if (FicheUniteType >= 0) Sprite__Affiche(646, x, y, 0);
}
