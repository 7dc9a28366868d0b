// Group orders: move to a cell, attack (or go to) a cell.
#pragma once

// Move order to cell (x, y). The two trailing words are not read.
void Groupe__OrdreDeplacement(int groupe, int x, int y, int inutilise1 = 0, int inutilise2 = 0);
// Attack or go-to order on cell (x, y); garderCible 1 keeps the current target group. The fourth
// word is not read.
void Groupe__OrdreAttaque(int groupe, int x, int y, int inutilise = 0, int garderCible = 0);
