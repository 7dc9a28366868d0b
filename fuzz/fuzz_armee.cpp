// The army header "..\tmp\Joueur0\entete_armee.txt", with the regiments it lists.
#include "campaign/armee.h"
#include "campaign/armee_fichiers.h"
#include "campaign/campagne.h"
#include "campaign/catalogue.h"
#include "cible.h"

void Cible_Preparer() {
    CampParJoueur[0] = 0;
    Catalogue__charger(0);
}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("tmp/Joueur0/entete_armee.txt", donnees, taille);
    struct Fin {
        ~Fin() { Armee__liberer(); }
    } fin;
    Armee__charger();
}
