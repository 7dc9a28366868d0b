// The minimap: the whole 128 x 128-cell map in a 96 x 96-pixel square at the bottom right of the
// view. A base image painted once per level from the materials and altitudes, and an overlay
// rebuilt twice a second with the units, trees, buildings, the view rectangle and nine markers.
// The frame reads its place and scales to tell which map cell the mouse hovers.
#pragma once

#include <array>
#include <cstdint>

// Both 96 x 96 pixels of 5-5-5 colour, row by row; a zero pixel of the overlay is transparent.
// Null until built and after the teardown.
extern uint16_t* CarteReduiteImage;
extern uint16_t* CarteReduiteCalque;
extern int32_t CarteReduiteTaille, CarteReduiteLargeur;        // 96 high, 96 wide
extern int32_t CarteReduiteX, CarteReduiteY;                   // top-left of its frame on the screen
extern int32_t CarteReduiteDecalageX, CarteReduiteDecalageY;   // offsets of its picture in the square
extern float CarteReduiteEchelleX, CarteReduiteEchelleY;       // minimap pixels per map cell
// The view rectangle: its size and top-left corner in minimap pixels.
extern int32_t CarteReduiteCadreLargeur, CarteReduiteCadreHauteur;
extern int32_t CarteReduiteCadreX, CarteReduiteCadreY;

// A blinking marker of a leader: its cell (x -1 when unused), blink frame, and 1 plain or 2 lit.
struct MarqueurCarte {
    int32_t x, y;
    int32_t image;
    int32_t type;
};
constexpr int MARQUEURS_CARTE = 9;
extern std::array<MarqueurCarte, MARQUEURS_CARTE> CarteReduiteMarqueurs;

// The 5-5-5 pixel of a colour of 0..255 per channel.
uint16_t CarteReduite_Couleur555(int r, int g, int b);
// The base image's colour of a material letter at altitude 0..3 (0 black for an unknown letter).
uint16_t CarteReduite_CouleurMatiere(uint8_t matiere, int altitude);
// Places it, allocates its images when needed and paints the base image of the loaded level.
void CarteReduite_Creation();
// Rebuilds the overlay and the markers from the grids, then the view rectangle.
void CarteReduite_MiseAJour();
void CarteReduite_Cadre();
void CarteReduite_Affichage();
void CarteReduite_Liberation();
