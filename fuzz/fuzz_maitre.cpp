// A master file, "..\maitres\soldat.txt", read with the rest of the sample masters.
#include "cible.h"
#include "foundation/objetsgfx.h"
#include "world/maitres.h"

void Cible_Preparer() { CreationDeLalIsteDesObjetsGfx(); }

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("maitres/soldat.txt", donnees, taille);
    Maitres__Liste__Creation();
}
