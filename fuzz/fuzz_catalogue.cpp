// A faction's catalogue "..\sections\Empire.txt" or the layout of one of its section types
// "..\sections\soldat.sct" (the first byte chooses), read as the catalogue is loaded. The master
// list, which no input changes, is read once.
#include <memory>

#include "campaign/campagne.h"
#include "campaign/catalogue.h"
#include "cible.h"

namespace {
std::unique_ptr<ListeObjetsMaitres, void (*)(ListeObjetsMaitres*)> Maitres(nullptr, ObjetsMaitres__liberer);
}

void Cible_Preparer() {
    CampParJoueur[0] = 0;
    Cible_ListeMaitresSeule();
    Maitres.reset(ObjetsMaitres__charger());
}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    if (taille == 0) return;
    static const char* const Fichiers[2] = {"sections/Empire.txt", "sections/soldat.sct"};
    const char* fichier = Fichiers[donnees[0] % 2];
    Cible_Ecrire(fichier, donnees + 1, taille - 1);
    struct Fin {
        const char* fichier;
        ~Fin() {
            Catalogue__liberer();
            Cible_Remettre(fichier);
        }
    } fin{fichier};
    Catalogue__chargerAvecMaitres(0, *Maitres);
}
