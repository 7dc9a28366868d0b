// Full-screen TGA pictures: shown at once, or faded in from black.
#pragma once

#include <cstdint>

// Formats the file name, loads the picture and draws it at (0, 0); fatal when it cannot be loaded.
void Image__Affichage(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Fades the picture in from black over duree ms at (0, 0); fatal when it cannot be loaded.
void chargerBitmap(const char* fichier, int32_t duree);
