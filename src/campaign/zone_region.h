// The view zone of the region map: the cells the player's regiments see.
#pragma once

#include <array>
#include <cstdint>

constexpr int LARGEUR_REGION = 52;
constexpr int HAUTEUR_REGION = 40;
// Column by column: cell (x, y) at x * 40 + y; 1 seen.
extern std::array<int32_t, LARGEUR_REGION * HAUTEUR_REGION> ZoneAccessible;
// 1 when region cell (x, y) is seen; 0 off the region.
int ZoneAccessible__Case(int x, int y);
