// The working folder's "..\tmp\Joueur0\nomcarte.txt".
#include <string>

#include "cible.h"
#include "campaign/region.h"
#include "campaign/sauvegarde_region.h"
#include "platform/fichiers.h"

void Cible_Preparer() {}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("tmp/Joueur0/nomcarte.txt", donnees, taille);
    FILE* f = Fichier_Ouvrir("..\\tmp\\Joueur0\\nomcarte.txt", "rt");
    if (f == nullptr) return;
    std::string fichier;
    int32_t campagne = 0, etape = 0, numero = 0;
    if (Region__LireNomCarte(f, &fichier, &campagne, &etape, &numero)) {
        CampagneCourante = campagne;
        EtapeCampagne = etape;
        Chemin__Region();
    }
    std::fclose(f);
    // The save slot's reader, which also takes the player's faction.
    NomCarte n;
    NomCarte__Lire(std::string(reinterpret_cast<const char*>(donnees), taille), &n);
}
