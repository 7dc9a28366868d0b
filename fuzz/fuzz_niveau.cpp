// A level file: a battle world made from it, then torn down.
#include <cstdio>

#include "campaign/region.h"
#include "cible.h"
#include "foundation/objetsgfx.h"
#include "shell/routeur.h"
#include "world/maitres.h"
#include "world/univers.h"

void Cible_Preparer() {
    CreationDeLalIsteDesObjetsGfx();
    Maitres__Liste__Creation();
    Cible_ListeMaitresSeule();
    std::snprintf(NomNiveauBataille, sizeof NomNiveauBataille, "..\\niveau\\essai.mv");
}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("niveau/essai.mv", donnees, taille);
    struct Fin {
        ~Fin() { Region__Quitte(); }
    } fin;
    ModeSceneCourant = 2;
    MorvaneCode = 3;
    UniversCreation();
}
