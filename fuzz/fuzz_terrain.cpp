// A terrain's palette "..\niveau\essai.pal" or its tile bank "..\niveau\essai.spr" (the first
// byte chooses; the other is a zeroed one), loaded with its shading table.
#include <vector>

#include "cible.h"
#include "scene/palettes.h"

void Cible_Preparer() {
    const std::vector<uint8_t> vide(4096);
    Cible_Ecrire("niveau/essai.pal", vide.data(), vide.size());
    Cible_Ecrire("niveau/essai.spr", vide.data(), vide.size());
}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    if (taille == 0) return;
    const bool banque = donnees[0] % 2 != 0;
    const char* fichier = banque ? "niveau/essai.spr" : "niveau/essai.pal";
    Cible_Ecrire(fichier, donnees + 1, taille - 1);
    struct Fin {
        const char* fichier;
        ~Fin() {
            Terrain__Liberation();
            const std::vector<uint8_t> vide(4096);
            Cible_Ecrire(fichier, vide.data(), vide.size());
        }
    } fin{fichier};
    Terrain__Chargement("..\\niveau\\essai", 4);
}
