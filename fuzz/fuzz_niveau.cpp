// A level file read into a battle world. The world is made once; after each read it is emptied of
// what the read put in (objects, groups, conditions, grids), its tables kept for the next.
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
    ModeSceneCourant = 2;
    MorvaneCode = 3;
    UniversCreation();   // the sample level
    Univers__Vider();
}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("niveau/essai.mv", donnees, taille);
    struct Fin {
        ~Fin() { Univers__Vider(); }
    } fin;
    Univers__RechargeNiveau(RegionNomFichierNiveau());
}
