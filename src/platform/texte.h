// Text output on the back buffer: fonts by face, cell height and weight, and a drawing context
// with a current font, a text colour (a GDI colour value 0x00BBGGRR) and a background mode,
// drawing into 5-5-5 pixels. Texts are Windows-1252 bytes. Works without a window (headless).
#pragma once

#include <cstdint>

struct PoliceSysteme;

struct ContexteTexte {
    PoliceSysteme* police = nullptr;
    uint32_t couleur = 0;            // text colour, 0x00BBGGRR
    bool fondTransparent = false;    // false: the text's cell is filled with couleurFond first
    uint32_t couleurFond = 0xFFFFFF;
    uint16_t* pixels = nullptr;      // the target: the back buffer
    int largeur = 0;
    int hauteur = 0;
    int pas = 0;                     // pixels per row
};

ContexteTexte* ContexteTexte_Creer();
void ContexteTexte_Liberer(ContexteTexte* contexte);
void ContexteTexte_Cible(ContexteTexte* contexte, uint16_t* pixels, int largeur, int hauteur, int pas);
// Selects a font; returns the one it replaces.
PoliceSysteme* ContexteTexte_ChoisirPolice(ContexteTexte* contexte, PoliceSysteme* police);
// Sets the text colour; returns the one it replaces.
uint32_t ContexteTexte_Couleur(ContexteTexte* contexte, uint32_t couleur);

// Makes a font file known under a face name, as the game's own font is ("Lydian MT" from
// "..\Lydian.ttf"). cheminJeu is a game path. False when the file is missing or not a font.
bool Police_AjouterFichier(const char* cheminJeu, const char* face);
void Police_RetirerFichier(const char* cheminJeu);

// A font of the given face, cell height in pixels (ascent plus descent; a negative height is the
// character height without the leading) and weight (700 and more: bold). Faces not made known by
// Police_AjouterFichier come from the system's free fonts: "Lydian MT" as DejaVu Serif,
// "Courier New" as Liberation Mono (else DejaVu Sans Mono), anything else as DejaVu Sans.
// Null when no font file can be opened.
PoliceSysteme* Police_Creer(const char* face, int hauteur, int graisse);
void Police_Liberer(PoliceSysteme* police);
// The font's cell height in pixels, 0 for null.
int Police_Hauteur(const PoliceSysteme* police);

// Draws longueur bytes of texte (all of it when longueur < 0) with the text's cell top-left at
// (x, y), in the current font and colour, antialiased, clipped to the target.
void Texte_Dessiner(ContexteTexte* contexte, int x, int y, const char* texte, int longueur = -1);
// Extent of the text in the current font: the advance width and the cell height. False (and 0, 0)
// without a context.
bool Texte_Mesurer(const ContexteTexte* contexte, const char* texte, int longueur, int* largeur, int* hauteur);
