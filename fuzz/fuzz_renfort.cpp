// A section file "..\sections\soldat.sct" read as reinforcements: two levels placed round the entry
// points of a battle world made once and emptied after each input of what the import put in.
#include "cible.h"
#include "shell/chefs.h"
#include "world/univers.h"

void Cible_Preparer() {
    Cible_PreparerMonde(2);
}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("sections/soldat.sct", donnees, taille);
    struct Fin {
        ~Fin() { Univers__Vider(); }
    } fin;
    ImportationSectionRenfort(20, 0, 20);
    ImportationSectionRenfort(20, 1, 20);
}
