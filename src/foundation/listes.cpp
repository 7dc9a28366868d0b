#include "foundation/listes.h"

#include "foundation/erreurs.h"

void Liste__Creation1(NoeudEntier** tete, int32_t n) {
    NoeudEntier* terminal = new NoeudEntier;
    *tete = terminal;
    for (int32_t v = n - 1; v >= 1; --v) Liste__Empiler(tete, v);
}

NoeudEntier* Liste__Empiler(NoeudEntier** tete, int32_t valeur) {
    NoeudEntier* n = new NoeudEntier{valeur, *tete};
    *tete = n;
    return n;
}

int32_t Liste__Valeur(const NoeudEntier* noeud) { return noeud ? noeud->valeur : 0; }

bool Liste__Vide(const NoeudEntier* tete) { return tete == nullptr || tete->suivant == nullptr; }

void Liste__Depiler(NoeudEntier** tete) {
    // Popping the terminal node would leave a list whose last real node passes for the end.
    if (tete == nullptr || Liste__Vide(*tete)) return;
    NoeudEntier* n = *tete;
    *tete = n->suivant;
    delete n;
}

void Liste__Retirer(NoeudEntier** tete, NoeudEntier* noeud) {
    if (tete == nullptr || *tete == nullptr || noeud == nullptr || noeud->suivant == nullptr) return;
    if (*tete == noeud) {
        Liste__Depiler(tete);
        return;
    }
    NoeudEntier* p = *tete;
    while (p->suivant != nullptr && p->suivant != noeud) p = p->suivant;
    if (p->suivant == nullptr) {
        Erreur_Question("Liste__Retirer()", "Noeud %d absent de la liste", noeud->valeur);
        return;
    }
    p->suivant = noeud->suivant;
    delete noeud;
}

void Liste__Liberer(NoeudEntier** tete) {
    if (tete == nullptr) return;
    while (*tete) {
        NoeudEntier* n = *tete;
        *tete = n->suivant;
        delete n;
    }
}
