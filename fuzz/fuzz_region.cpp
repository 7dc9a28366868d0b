// A region file "..\Campagnes\Tutorial\Region9\Region.txt".
#include "cible.h"
#include "campaign/region.h"
#include "platform/fichiers.h"

void Cible_Preparer() {}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("Campagnes/Tutorial/Region9/Region.txt", donnees, taille);
    FILE* f = Fichier_Ouvrir("..\\Campagnes\\Tutorial\\Region9\\Region.txt", "rt");
    if (f == nullptr) return;
    CarteRegion* carte = new CarteRegion{};
    std::string erreur;
    Region__LireFichier(f, carte, &erreur);
    std::fclose(f);
    delete carte;
}
