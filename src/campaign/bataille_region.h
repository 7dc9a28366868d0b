// Battles opened from the region map: an enemy regiment walking into a player's regiment, a
// player's regiment walking into an enemy one, or a regiment reaching a unique site. Each opener
// chooses who takes part and from which side of the battle map each army enters, the battle's
// level, title and conditions, stores the region's state and hands over to the scene router.
// RegimentNmi_EntreeBataille, RegimentNmi_BatailleLieuUnique and RegionChargerArmeesEnnemies are
// declared in campaign/region.h.
#pragma once

#include <cstdint>

// 1 when the coming battle is fought in a fort (a regiment taking part is resting at turn state
// -1); cleared by each level choice.
extern int32_t BatailleFort;

// The entry sides 0..8: side d is the neighbour cell at these offsets, side 8 the centre.
extern const int32_t DecalageEntreeX[9];
extern const int32_t DecalageEntreeY[9];

// The current object (ObjetCourant) is an enemy token stepping into the player's regiment on
// region cell (x, y): the battle opens. 1 when it did, 0 when it was ignored (a battle is already
// pending, or the token is no enemy regiment of the table).
int RegimentNmi_AttaqueArmee(int x, int y);

// Chooses the level and the title of a battle at region cell (x, y): by the cell's terrain and
// BatailleFort, or the level of a unique site standing there (whose own conditions then apply).
void RegionChoisirNiveauBataille(int32_t x, int32_t y);

// The side 0..8 an army enters from, by the step it was taking from (x, y) to (nx, ny).
int32_t Bataille__DirectionPas(int32_t x, int32_t y, int32_t nx, int32_t ny);

// True while a battle opened from the region map waits for its scene (an enemy regiment is
// flagged for it).
bool Bataille__EnAttente();
