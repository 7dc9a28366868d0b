// Full-screen TGA pictures.
#pragma once

#include <cstdint>

// Fades the picture in (centred), waits for Return, Space, Escape or the left button, fades it
// out; a warning when it cannot be loaded.
void Image__AffichageFondu(const char* fichier, int32_t duree);
