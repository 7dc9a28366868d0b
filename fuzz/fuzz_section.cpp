// A section file "..\sections\soldat.sct", imported at its first two levels into a battle world made
// once and emptied after each input of what the import put in.
#include "cible.h"
#include "world/niveau.h"
#include "world/univers.h"

void Cible_Preparer() {
    Cible_PreparerMonde(2);
}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("sections/soldat.sct", donnees, taille);
    struct Fin {
        ~Fin() { Univers__Vider(); }
    } fin;
    ImportationSectionEditeur(20, 0, 50, 50, 2, 0);
    ImportationSectionEditeur(20, 1, 120, 120, 2, 1);
}
