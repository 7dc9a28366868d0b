// The interface texts "..\localisation\menus.txt".
#include "cible.h"
#include "frontend/localisation.h"

void Cible_Preparer() {}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("localisation/menus.txt", donnees, taille);
    LocalisationInitialisation();
}
