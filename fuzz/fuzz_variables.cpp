// The game variables "..\ini\variables.txt" or the skirmish's "..\ini\VariablesEscarmouche.txt"
// (the first byte chooses).
#include "campaign/variables.h"
#include "cible.h"

void Cible_Preparer() {}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    if (taille == 0) return;
    const bool escarmouche = donnees[0] % 2 != 0;
    const char* fichier = escarmouche ? "ini/VariablesEscarmouche.txt" : "ini/variables.txt";
    Cible_Ecrire(fichier, donnees + 1, taille - 1);
    struct Fin {
        const char* fichier;
        ~Fin() { Cible_Remettre(fichier); }
    } fin{fichier};
    if (escarmouche) Variables__chargerEscarmouche();
    else Variables__charger();
    Variables__appliquer();
}
