// The selection panel's pieces used by other screens.
#pragma once

// Draws the icon of master `type` at (x, y).
void Icone__Affichage(int type, int x, int y);
