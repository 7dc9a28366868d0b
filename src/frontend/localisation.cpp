#include "frontend/localisation.h"

#include <cstdio>

char TextesCriMort[4][256] = {"%s : Aaargh !", "%s : Je meurs...", "%s : Vengez-moi !", "%s : Adieu..."};
char TextePanique[256] = "%s : Sauve qui peut !";
char TextesNiveau[3][256] = {"%s passe au niveau %d.", "%s gagne en expérience : niveau %d.",
                             "%s atteint le niveau %d !"};

void Localisation__Texte(char* sortie, size_t taille, const char* modele, const char* nom, int nombre) {
    if (sortie == nullptr || taille == 0) return;
    size_t n = 0;
    auto ajouter = [&](const char* texte) {
        for (; texte && *texte && n + 1 < taille; ++texte) sortie[n++] = *texte;
    };
    for (const char* p = modele ? modele : ""; *p && n + 1 < taille; ++p) {
        if (p[0] == '%' && p[1] == 's') {
            ajouter(nom);
            ++p;
        } else if (p[0] == '%' && p[1] == 'd') {
            char chiffres[16];
            std::snprintf(chiffres, sizeof chiffres, "%d", nombre);
            ajouter(chiffres);
            ++p;
        } else {
            sortie[n++] = *p;
            if (p[0] == '%' && p[1] == '%') ++p;
        }
    }
    sortie[n] = 0;
}

char TextesInterface[148][256] = {};
