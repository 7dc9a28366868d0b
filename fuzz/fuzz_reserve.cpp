// The reserves and the gold "..\Armees\reserve.txt".
#include "campaign/armee.h"
#include "campaign/armee_fichiers.h"
#include "campaign/campagne.h"
#include "campaign/catalogue.h"
#include "cible.h"
#include "shell/routeur.h"

void Cible_Preparer() {
    CampParJoueur[0] = 0;
    Catalogue__charger(0);
    ModeSceneCourant = 1;
}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("Armees/reserve.txt", donnees, taille);
    struct Fin {
        ~Fin() { ListeReserves__liberer(); }
    } fin;
    ListeReserves__charger();
}
