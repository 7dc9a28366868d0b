// A section file "..\sections\soldat.sct", imported at its first two levels into a battle world made
// once and emptied after each input of what the import put in.
#include "cible.h"
#include "foundation/objetsgfx.h"
#include "shell/routeur.h"
#include "world/grilles.h"
#include "world/maitres.h"
#include "world/niveau.h"
#include "world/objets.h"
#include "world/univers.h"

void Cible_Preparer() {
    CreationDeLalIsteDesObjetsGfx();
    Maitres__Liste__Creation();
    Cible_ListeMaitresSeule();
    ModeSceneCourant = 2;
    Univers__AlloueGrilles();
    ObjetsGroupes__Initialisation();
}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("sections/soldat.sct", donnees, taille);
    struct Fin {
        ~Fin() { Univers__Vider(); }
    } fin;
    ImportationSectionEditeur(20, 0, 50, 50, 2, 0);
    ImportationSectionEditeur(20, 1, 120, 120, 2, 1);
}
