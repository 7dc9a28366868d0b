#include "shell/victoire.h"

#include <cstddef>

#include "world/objets.h"

int32_t NbUnitesAmiesPrecedent = 0, NbUnitesEnnemiesPrecedent = 0;
int32_t ResultatBataille = -1;
std::array<Chronometre, NOMBRE_CHRONOMETRES> TableChronometres{};
int32_t ChronometresActifs = 0;
std::array<int32_t, 5> AlliancesEnAttente{-1, -1, -1, -1, -1}, DefectionsEnAttente{-1, -1, -1, -1, -1};

void Unites_Comptage() {
    NbUnitesAmiesPrecedent = NbUnitesAmies;
    NbUnitesEnnemiesPrecedent = NbUnitesEnnemies;
    NbUnitesAmies = NbUnitesEnnemies = NbUnitesNeutres = NbUnitesAlliees = 0;
    for (NoeudEntier* n = ListeObjetsVivants; n && n->suivant; n = n->suivant) {
        const Objet& o = TableObjets[static_cast<std::size_t>(n->valeur)];
        if (o.actif != 1 || o.mourant || o.famille == 13 || o.famille == 26) continue;
        if (int32_t* compteur = CompteurCamp(o.armee)) ++*compteur;
    }
}

void EvenementsAvantBataille_Verification(int) {}
void Alliances_Application() {}
void Defections_Application() {}
