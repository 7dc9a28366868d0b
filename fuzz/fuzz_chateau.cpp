// A faction's castle building catalogue "..\Localisation\Empire.txt", read as at a scene start. The
// master list, which no input changes, is read once.
#include <memory>

#include "campaign/campagne.h"
#include "campaign/catalogue.h"
#include "campaign/chateau.h"
#include "campaign/variables.h"
#include "cible.h"

namespace {
std::unique_ptr<ListeObjetsMaitres, void (*)(ListeObjetsMaitres*)> Maitres(nullptr, ObjetsMaitres__liberer);
}

void Cible_Preparer() {
    CampParJoueur[0] = 0;
    NiveauChateau = 1;
    Cible_ListeMaitresSeule();
    Maitres.reset(ObjetsMaitres__charger());
}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    const char* fichier = "localisation/Empire.txt";
    Cible_Ecrire(fichier, donnees, taille);
    struct Fin {
        const char* fichier;
        ~Fin() { Cible_Remettre(fichier); }
    } fin{fichier};
    Batiments__chargerCatalogueAvecMaitres(Maitres.get());
    Batiments__toutAcquis(NiveauChateau);
}
