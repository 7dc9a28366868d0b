// A faction's castle building catalogue "..\Localisation\Empire.txt", read as at a scene start.
#include "campaign/campagne.h"
#include "campaign/chateau.h"
#include "campaign/variables.h"
#include "cible.h"

void Cible_Preparer() {
    CampParJoueur[0] = 0;
    NiveauChateau = 1;
    Cible_ListeMaitresSeule();
}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    const char* fichier = "localisation/Empire.txt";
    Cible_Ecrire(fichier, donnees, taille);
    struct Fin {
        const char* fichier;
        ~Fin() { Cible_Remettre(fichier); }
    } fin{fichier};
    Batiments__chargerCatalogue();
    Batiments__toutAcquis(NiveauChateau);
}
