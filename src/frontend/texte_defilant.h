// Scrolling texts with their mark-up (the intro text, the credits).
#pragma once

#include <cstdint>

// Scrolls the text file at the given speed until its end or a key. For now it returns at once.
void TexteDefilant(const char* chemin, int32_t vitesse);
