// Full-screen TGA pictures: shown at once, or faded in from black and out again.
#pragma once

#include <cstdint>

// Formats the file name, loads the picture and draws it at (0, 0); fatal when it cannot be loaded.
void Image__Affichage(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Fades the picture in from black over duree ms at (0, 0); fatal when it cannot be loaded.
void chargerBitmap(const char* fichier, int32_t duree);
// Fades the picture in (centred), waits for Return, Space, Escape or the left button, fades it
// out; a warning when it cannot be loaded.
void Image__AffichageFondu(const char* fichier, int32_t duree);
// Fades the picture in (centred) without waiting; a warning when it cannot be loaded.
void MissionsSpeciales__Image(const char* fichier, int32_t duree);

struct Image;
// One fade of a 5-5-5 picture drawn at (x, y): each frame a copy at level e x 256 / duree (in) or
// 256 - e x 256 / duree (out), e the ms since the fade began, presented; then the picture itself
// (in) or black (out). Frames are 10 ms of the clock apart.
void Image__Fondu(const Image* image, int32_t x, int32_t y, int32_t duree, bool entree);
