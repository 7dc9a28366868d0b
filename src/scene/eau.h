// Water and lava surfaces: their animation and the drawing of one liquid square.
#pragma once

#include <cstdint>

void Eau__Animation();
void Lave__Animation();
// Draws the liquid's 48 x 48 square at (x, y) from the clip origin of the drawing target.
void Eau__AffichageCase(int32_t x, int32_t y);
void Lave__AffichageCase(int32_t x, int32_t y);
