// The particle files: the first byte chooses the effect header, an effect file ("feu", which the
// sample header names) or the sprite list; the rest is the file. The sample's effects are loaded
// once; an input reloads only what its file feeds (the whole list for a header, the effects read
// from "feu" for that file), and each effect it loads is then emitted and aged.
#include <cstring>

#include "cible.h"
#include "scene/particules.h"
#include "scene/particules_effets.h"

namespace {

NoeudEffet* EffetsExemple = nullptr;

template <typename Noeud>
Noeud* Tete(Noeud* n) {
    while (n && n->precedent) n = n->precedent;
    return n;
}

void Emettre(EffetParticule* effet) {
    Particules_Emission(effet, PlanParticules0.data(), 1000, &NombreParticules0, 100, 100, 0, 1, -1, -1);
}

void Vieillir() {
    for (int k = 0; k < 50; ++k) {
        Particules_Gestion(1);
        Particules_Affichage(PlanParticules0.data(), NombreParticules0);
    }
}

}  // namespace

void Cible_Preparer() {
    Effets_Chargement();
    EffetsExemple = ListeEffets;
}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    if (taille == 0) return;
    static const char* const Fichiers[3] = {"particules/EnteteInit.txt", "particules/feu.txt",
                                            "particules/ListeSprite.txt"};
    const int choix = donnees[0] % 3;
    const char* fichier = Fichiers[choix];
    Cible_Ecrire(fichier, donnees + 1, taille - 1);
    // The sample's file, the sample's effects and no sprite list again for the next input, however
    // this one ends.
    struct Fin {
        const char* fichier;
        ~Fin() {
            Cible_Remettre(fichier);
            if (ListeEffets != EffetsExemple) Effets_Liberation();
            ListeEffets = EffetsExemple;
            ListeSprite_Liberation();
        }
    } fin{fichier};
    Particules_Initialisation();
    if (choix == 2) {
        ChargementSprite();
        return;
    }
    if (choix == 0) {
        ListeEffets = nullptr;
        Effets_Chargement();
        Effets_AdressesScene();
        for (NoeudEffet* n = ListeEffets; n; n = n->precedent) Emettre(n->effet);
        Vieillir();
        return;
    }
    // Every effect of the sample header that reads "feu", each into its own record.
    ListeEffets = nullptr;
    for (NoeudEffet* n = Tete(EffetsExemple); n; n = n->suivant) {
        if (std::strcmp(n->nomFichier, "feu") != 0) continue;
        NoeudEffet* lu = Effet_NouveauNoeud(ListeEffets);
        *lu = *n;
        lu->precedent = ListeEffets;
        lu->suivant = nullptr;
        lu->effet = new EffetParticule{};
        Effet_Chargement(lu->effet, n->nomFichier, n->repertoire);
        ListeEffets = lu;
        Emettre(lu->effet);
    }
    Vieillir();
}
