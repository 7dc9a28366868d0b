// A battle map's victory file "..\niveau\essaitxt" (the level "..\niveau\essai.mv"), read and
// tested on a small map where a player unit stands in a corner.
#include "cible.h"
#include "campaign/region.h"
#include "campaign/victoire_bataille.h"
#include "world/grilles.h"
#include "world/objets.h"

void Cible_Preparer() {}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("niveau/essaitxt", donnees, taille);
    static LieuUnique lieux[2]{};
    static CarteRegion carte{};
    carte.nbLieuxUniques = 2;
    carte.lieuxUniques = lieux;
    CarteRegionCourante = &carte;
    Univers__AlloueGrilles();
    TableObjets[7].actif = 1;
    TableObjets[7].armee = 0;
    Univers__PoseCaseUnites(0, 0, 7);
    struct Fin {
        ~Fin() {
            CarteRegionCourante = nullptr;
            VictoireBatailleLiberation();
            Univers__LibereGrilles();
            TableObjets[7] = Objet{};
        }
    } fin;
    VictoireBatailleInitialisation("..\\niveau\\essai.mv");
    std::string erreur;
    VictoireBatailleAtteinte(&erreur);
}
