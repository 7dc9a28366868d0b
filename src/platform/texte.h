// Text output on the back buffer: a drawing context with a current font, a text colour
// (a GDI colour value 0x00BBGGRR) and a transparent background, drawing into 5-5-5 pixels.
#pragma once

#include <cstdint>

struct PoliceSysteme;

struct ContexteTexte {
    PoliceSysteme* police = nullptr;
    uint32_t couleur = 0;
    bool fondTransparent = false;
    uint16_t* pixels = nullptr;   // the target: the back buffer
    int largeur = 0;
    int hauteur = 0;
    int pas = 0;                  // pixels per row
};

ContexteTexte* ContexteTexte_Creer();
void ContexteTexte_Liberer(ContexteTexte* contexte);
void ContexteTexte_Cible(ContexteTexte* contexte, uint16_t* pixels, int largeur, int hauteur, int pas);
