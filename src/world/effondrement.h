// A building whose hit points reach exactly 0 collapses into its ruin.
#pragma once

#include <cstdint>

// The white flash of a collapse, counted down by the game frame.
extern int32_t FlashDestruction;

// Collapses ObjetCourant, a building.
void BatimentDestruction();
