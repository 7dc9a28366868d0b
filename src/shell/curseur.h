// The mouse cursor: the system's is hidden, the game draws its own with a shade.
#pragma once

#include <cstdint>

void Curseur__Masquer();

// The pointer's shade: the sprite's frame shaded a few pixels below and right of the pointer, so
// that it reads as the pointer's shadow and not as a second pointer.
constexpr int32_t OMBRE_CURSEUR_X = 4, OMBRE_CURSEUR_Y = 4;
void Curseur__Ombre(int16_t sprite, int16_t image);
