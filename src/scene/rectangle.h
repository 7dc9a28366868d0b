// The outline of the box the player drags to select groups: four 1-pixel lines of a pulsing grey
// added onto the picture below.
#pragma once

#include <cstdint>

// The top-left edge of the drawing clip as the skirmish set-up last saved it (8 until then):
// nothing is added on or before it.
extern int32_t ClipSauveX, ClipSauveY;

// Adds (r, g, b) (their low 5 bits, each channel held at 31) to the pixels of the rectangle
// (x, y, largeur x hauteur) that lie strictly inside the view.
void Ligne__AjoutCouleurVerticale(int x, int y, int largeur, int hauteur, int r, int g, int b);
// The same with the rectangle given row first.
void Ligne__AjoutCouleurHorizontale(int y, int x, int hauteur, int largeur, int r, int g, int b);
// The outline from the press cell's corner to the mouse, while a box drag is under way.
void CadreSelection__Affichage();
