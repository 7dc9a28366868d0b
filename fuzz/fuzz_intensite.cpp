// The day and night table "..\ini\intensite.txt".
#include "cible.h"
#include "world/univers.h"

void Cible_Preparer() {}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("ini/intensite.txt", donnees, taille);
    LireIntensite();
}
