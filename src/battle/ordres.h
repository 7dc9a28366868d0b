// Group orders. For now only the move order, which notes where the group is sent.
#pragma once

// Move order to cell (x, y), which may lie off the map (a routed group leaving it). The two
// trailing words are not read.
void Groupe__OrdreDeplacement(int groupe, int x, int y, int inutilise1 = 0, int inutilise2 = 0);
