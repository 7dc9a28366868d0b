// The step of a player's regiment token on the region map: movement points spent cell by cell by
// terrain, stops at other regiments, and the battles met on the way (unique sites, enemies).
#pragma once

// One step of ObjetCourant, a regiment token whose first spell slot holds its regiment's index
// in RegimentsRegion and whose group holds its path.
void Regiment__Pas();
