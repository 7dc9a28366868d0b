// The special missions' list "..\Campagnes\Specials\ListeDesMissions.txt".
#include "cible.h"
#include "shell/missions.h"

void Cible_Preparer() {}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("Campagnes/Specials/ListeDesMissions.txt", donnees, taille);
    MissionsSpeciales__Liste();
}
