// The view zone of the region map: the cells the player's regiments see.
#pragma once

#include <array>
#include <cstdint>

struct Objet;

constexpr int LARGEUR_REGION = 52;
constexpr int HAUTEUR_REGION = 40;
// Column by column: cell (x, y) at x * 40 + y; 1 seen.
extern std::array<int32_t, LARGEUR_REGION * HAUTEUR_REGION> ZoneAccessible;
// 1 when region cell (x, y) is seen; 0 off the region.
int ZoneAccessible__Case(int x, int y);
// The zone cast again from every player token: its own cell, and lines to two circles of its
// regiment's sight radius.
void RegionZoneAccessible__miseAJour();
// The lines cast from token o.
void RegionCalculerZoneAccessible(const Objet* o);
// Marks the cells of the line from (x0, y0) (excluded: the watcher's own cell) to (x1, y1): a
// mountain or closed cell stops it, unmarked (1 returned); cells off the region are passed over;
// 0 when it reached its end.
int RegionTracerLigneVue(int x0, int y0, int x1, int y1);
