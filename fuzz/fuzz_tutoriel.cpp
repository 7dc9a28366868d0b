// The tutorial's list of region victory conditions "..\Scenarios\Tutoriel\tutoriel.txt", read and
// each condition tested on a small region map.
#include "cible.h"
#include "campaign/region.h"
#include "campaign/victoire_tutoriel.h"

void Cible_Preparer() {}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("Scenarios/Tutoriel/tutoriel.txt", donnees, taille);
    static LieuUnique lieux[2]{};
    static CarteRegion carte{};
    carte.nbLieuxUniques = 2;
    carte.lieuxUniques = lieux;
    CarteRegionCourante = &carte;
    struct Fin {
        ~Fin() { CarteRegionCourante = nullptr; }
    } fin;
    RegionInitialisationConditionVictoire();
    std::string erreur;
    for (int i = 0; i < ConditionsVictoireTutoriel.nb; ++i)
        RegionConditionVictoireAtteinte(ConditionsVictoireTutoriel.codes[i], &erreur);
}
