// A region victory file "..\Campagnes\Tutorial\Region9\region.Vreg", read and tested.
#include "cible.h"
#include "campaign/victoire_region.h"

void Cible_Preparer() {}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("Campagnes/Tutorial/Region9/region.Vreg", donnees, taille);
    CarteRegion* carte = new CarteRegion{};
    CarteRegionCourante = carte;
    struct Fin {
        ~Fin() {
            delete CarteRegionCourante;
            CarteRegionCourante = nullptr;
        }
    } fin;
    InitVReg("..\\Campagnes\\Tutorial\\Region9\\region.Vreg");
    RegionVictoireAtteinte();
}
