// The settings "..\INI\Configuration.ini" or the parental control "..\INI\DOZOZADO.DAT" (the
// first byte chooses).
#include "cible.h"
#include "shell/demarrage.h"

void Cible_Preparer() {}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    if (taille == 0) return;
    const bool parental = donnees[0] % 2 != 0;
    const char* fichier = parental ? "ini/DOZOZADO.DAT" : "ini/Configuration.ini";
    Cible_Ecrire(fichier, donnees + 1, taille - 1);
    struct Fin {
        const char* fichier;
        ~Fin() { Cible_Remettre(fichier); }
    } fin{fichier};
    if (parental) Parental__Lecture();
    else Configuration__Lecture();
}
