// Text on the back buffer: printf-style calls in the current font and colour, shadowed,
// aligned and fitted text, the tooltip bubble, and the sprite font (graphic object 15).
// y is the text's baseline: the calls draw the cell at y - 11 (plain, shadowed, left-aligned)
// or y - 16 (right-aligned, centred). Colours are GDI colour values 0x00BBGGRR.
#pragma once

#include <cstdint>

struct TailleTexte {
    int32_t largeur = 0;
    int32_t hauteur = 0;
};

extern int32_t PoliceChoisie;

void Texte__Affiche(int x, int y, const char* format, ...) __attribute__((format(printf, 3, 4)));
void Texte__AfficheOmbre(int x, int y, const char* format, ...) __attribute__((format(printf, 3, 4)));
void Texte__AfficheOmbreBase(int x, int y, const char* format, ...) __attribute__((format(printf, 3, 4)));
void Texte__AfficheOmbreSimple(int x, int y, const char* texte);
void Texte__ChoixFonte(int i);
int Texte__LitFonte();
void Texte__Couleur(uint32_t couleur);
uint32_t Texte__LitCouleur();
void Texte__Taille(const char* texte, TailleTexte* taille);
int Texte__Largeur20(int x, int y, int r, int g, int b, int mode, const char* texte);

// Mode 0: the text ends at x; 1: centred on x; both at y - 16. Mode 2: starts at x, at y - 11.
// Any other mode draws nothing. Each returns the text's width in its font.
int Texte__AfficheAligne(int x, int y, int r, int g, int b, int mode, const char* texte);
int Texte__AfficheAligne20(int x, int y, int r, int g, int b, int ignore, int mode, const char* texte);
int Texte__AfficheAligne16(int x, int y, int r, int g, int b, int ignore, int mode, const char* texte);
// In the first font of a fixed order whose width fits the screen; the text's top at y - height.
int Texte__AfficheAjuste(int x, int y, int r, int g, int b, int mode, const char* texte);

// The tooltip bubble (graphic object 1294); returns the text's width.
int InfoBulle(int x, int y, const char* texte);

// The sprite font: upper case, 8 pixels per character.
void Texte__AfficheSprite(int x, int y, const char* format, ...) __attribute__((format(printf, 3, 4)));
