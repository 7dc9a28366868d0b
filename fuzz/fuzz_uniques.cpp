// A unique sites' file "..\tmp\Joueur0\uniques.txt", read into the region and written back.
#include "cible.h"
#include "campaign/lieux_uniques.h"

void Cible_Preparer() {}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("tmp/Joueur0/uniques.txt", donnees, taille);
    CarteRegion* carte = new CarteRegion{};
    CarteRegionCourante = carte;
    struct Fin {
        ~Fin() {
            delete[] CarteRegionCourante->lieuxUniques;
            delete CarteRegionCourante;
            CarteRegionCourante = nullptr;
        }
    } fin;
    InitLieuxUniques("..\\tmp\\Joueur0\\uniques.txt");
    RegionDeverrouillerLieuxUniques();
    RegionSauverLieuxUniques("..\\tmp\\Joueur0\\uniques2.txt");
}
