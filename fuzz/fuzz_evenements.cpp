// An animation event file "..\maitres\soldat.cfg", read for its master.
#include "campaign/catalogue.h"
#include "cible.h"
#include "editors/evenements.h"
#include "foundation/objetsgfx.h"
#include "world/maitres.h"

namespace {
int32_t Soldat = -1;
}

void Cible_Preparer() {
    CreationDeLalIsteDesObjetsGfx();
    Maitres__Liste__Creation();
    ListeObjetsMaitres* liste = ObjetsMaitres__charger();
    for (int i = 0; i < NOMBRE_MAITRES_LISTE && Soldat < 0; ++i)
        if (liste->entrees[i].commentaire == "soldat") Soldat = i;
    ObjetsMaitres__liberer(liste);
}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("maitres/soldat.cfg", donnees, taille);
    AnimationChargerEvenements(Soldat, "..\\maitres\\soldat.txt");
}
