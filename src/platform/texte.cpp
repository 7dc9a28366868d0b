#include "platform/texte.h"

ContexteTexte* ContexteTexte_Creer() { return new ContexteTexte; }

void ContexteTexte_Liberer(ContexteTexte* contexte) { delete contexte; }

void ContexteTexte_Cible(ContexteTexte* contexte, uint16_t* pixels, int largeur, int hauteur, int pas) {
    if (contexte == nullptr) return;
    contexte->pixels = pixels;
    contexte->largeur = largeur;
    contexte->hauteur = hauteur;
    contexte->pas = pas;
}
