// The particle files: the first byte chooses the effect header, an effect file ("feu", which the
// sample header names) or the sprite list; the rest is the file. Every effect loaded is then
// emitted and aged.
#include "cible.h"
#include "scene/particules.h"
#include "scene/particules_effets.h"

void Cible_Preparer() {}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    if (taille == 0) return;
    static const char* const Fichiers[3] = {"particules/EnteteInit.txt", "particules/feu.txt",
                                            "particules/ListeSprite.txt"};
    const char* fichier = Fichiers[donnees[0] % 3];
    Cible_Ecrire(fichier, donnees + 1, taille - 1);
    struct Fin {
        const char* fichier;
        ~Fin() { Cible_Remettre(fichier); }
    } fin{fichier};
    ChargementSprite();
    ListeSprite_Liberation();
    Effets_Chargement();
    Effets_AdressesScene();
    Particules_Initialisation();
    for (NoeudEffet* n = ListeEffets; n; n = n->precedent)
        Particules_Emission(n->effet, PlanParticules0.data(), 1000, &NombreParticules0, 100, 100, 0, 1, -1, -1);
    for (int k = 0; k < 50; ++k) {
        Particules_Gestion(1);
        Particules_Affichage(PlanParticules0.data(), NombreParticules0);
    }
    Effets_Liberation();
}
