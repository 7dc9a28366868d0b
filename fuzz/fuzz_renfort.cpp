// A section file "..\sections\soldat.sct" read as reinforcements: two levels placed round the entry
// points of a battle world made once and emptied after each input of what the import put in.
#include "cible.h"
#include "foundation/objetsgfx.h"
#include "shell/chefs.h"
#include "shell/routeur.h"
#include "world/grilles.h"
#include "world/maitres.h"
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
    ImportationSectionRenfort(20, 0, 20);
    ImportationSectionRenfort(20, 1, 20);
}
