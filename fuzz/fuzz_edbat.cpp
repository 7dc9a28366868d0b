// The building editor's "ini/edbat.txt": read, then rewritten with a building.
#include "cible.h"
#include "editors/editeur_batiment.h"

void Cible_Preparer() {}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("ini/edbat.txt", donnees, taille);
    int32_t premiere = 0, maitre = 0;
    EditeurBatiment__LireEdbat(&premiere, &maitre);
    EditeurBatiment__EcrireEdbat(maitre);
    EditeurBatiment__LireEdbat(&premiere, &maitre);
}
