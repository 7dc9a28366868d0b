// The screenshot and the TGA layout every written picture shares.
#pragma once

#include <cstdint>
#include <cstdio>

// 16-bit 5-5-5 pixels to 4-byte red, green, blue, alpha; pure black becomes transparent.
void Tga__Conversion555(uint8_t* destination, const uint16_t* source, int largeur, int hauteur);
// Writes a picture converted by Tga__Conversion555 in the TGA layout every picture of the program uses.
void Tga__Ecrire(FILE* f, const uint8_t* image, int largeur, int hauteur);
// Writes the back buffer to the first free "..\ScreenShots\Morvane_Screen%03d.tga"; a file that
// cannot be created is reported and the game goes on.
void ImpressionEcran();
