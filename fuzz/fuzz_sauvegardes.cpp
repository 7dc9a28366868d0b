// The save names "..\Sauvegarde\NOMS.TXT".
#include "cible.h"
#include "frontend/localisation.h"
#include "frontend/sauvegardes.h"

void Cible_Preparer() { LocalisationInitialisation(); }

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("Sauvegarde/NOMS.TXT", donnees, taille);
    LireSauvegardes();
}
