// "..\ini\mv.ini": the graphic object list and the master list, through the keyword reader.
#include "cible.h"
#include "foundation/objetsgfx.h"
#include "world/maitres.h"

void Cible_Preparer() {}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("ini/mv.ini", donnees, taille);
    ObjetsGfx_Liberation();
    CreationDeLalIsteDesObjetsGfx();
    Maitres__Liste__Creation();
}
