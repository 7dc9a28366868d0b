// A building description's calage file "..\Batiment\0200t.txt" (its layers' offsets), read with
// the sample description.
#include "cible.h"
#include "foundation/objetsgfx.h"
#include "world/descriptions.h"
#include "world/maitres.h"

void Cible_Preparer() {
    CreationDeLalIsteDesObjetsGfx();
    Maitres__Liste__Creation();
    Cible_ListeMaitresSeule();
}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("Batiment/0200t.txt", donnees, taille);
    Batiment___operation(0, 200, 1);
}
