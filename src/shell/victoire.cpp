#include "shell/victoire.h"

#include <cstddef>

#include "platform/temps.h"
#include "shell/scenario.h"
#include "shell/trame.h"
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

int32_t& ResultatBatailleCourant = ResultatBataille;
uint32_t DebutBataille = 0;

// The conditions are not evaluated yet: a battle stays undecided.
int Conditions_Verification() { return -1; }

void Conditions_DecalageTemps(uint32_t ms) {
    const int32_t d = static_cast<int32_t>(ms);
    for (auto* table : {&TableVictoire, &TableDefaite})
        for (ConditionBataille& c : *table)
            if (c.actif == 1 && (c.type == 4 || c.type == 5)) c.debut += d;
    for (Chronometre& c : TableChronometres)
        if (c.debut != -1) c.debut += d;
    DebutBataille += ms;
    const uint32_t maintenant = Temps_Ticks();
    for (ConditionBataille& c : TableAvantBataille)
        if (c.actif == 1) c.debut = static_cast<int32_t>(maintenant);
    DebutScene = maintenant;
}
