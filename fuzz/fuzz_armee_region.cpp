// The army as the region map reads it: its header and regiment files, each after a line
// "@@ <name>" of the input, put into both "..\armees\Joueur0" and "..\tmp\Joueur0" (emptied
// before each input). The regiments are given their start cells in a world made once, the working
// copy is squeezed of its dead regiments as on the return from a battle, then made again from the
// army as on a first visit of the region.
#include <string>

#include "campaign/region.h"
#include "campaign/sauvegarde_region.h"
#include "cible.h"
#include "shell/demarrage.h"
#include "shell/routeur.h"
#include "world/univers.h"

namespace {
const char* const Dossiers[2] = {"Armees/joueur0/", "tmp/Joueur0/"};
CarteRegion Carte{};
}

void Cible_Preparer() {
    Cible_PreparerMonde(1);
    // A start cell on every other cell of the first row: room for the whole table.
    for (int x = 0; x < REGION_LARGEUR; x += 2) Carte.departs[static_cast<size_t>(x * REGION_HAUTEUR)] = 1;
}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    for (const char* d : Dossiers) Cible_ViderDossier(d);
    for (const auto& [nom, contenu] : Cible_Fichiers(donnees, taille))
        for (const char* d : Dossiers)
            Cible_Ecrire(d + nom, reinterpret_cast<const uint8_t*>(contenu.data()), contenu.size());
    CarteRegionCourante = &Carte;
    struct Fin {
        ~Fin() {
            Univers__Vider();
            CarteRegionCourante = nullptr;
            NbRegimentsRegion = 0;
            EtatPassageBataille = 0;
        }
    } fin;
    RegionInitialisationArmee();
    ChargeRegion__armee();
    EtatPassageBataille = 1;
    RegionMemoriserEtat();
}
