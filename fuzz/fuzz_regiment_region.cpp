// A regiment file as the region map reads it, "..\tmp\Joueur0\regiment0.txt".
#include <string>

#include "campaign/region.h"
#include "cible.h"
#include "platform/fichiers.h"

void Cible_Preparer() {}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("tmp/Joueur0/regiment0.txt", donnees, taille);
    FILE* f = Fichier_Ouvrir("..\\tmp\\Joueur0\\regiment0.txt", "rt");
    if (f == nullptr) return;
    std::string erreur;
    Region__LireRegiment(f, &RegimentsRegion[0], &erreur);
    std::fclose(f);
}
