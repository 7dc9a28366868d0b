// The region map screen.
#pragma once

// Draws the region map scene: its terrain, sites and tokens.
void CarteRegion__Affichage();
// The fixed drawings of region cell (x, y) (sites, marks) at its screen place.
void CarteRegion__Objets(int x, int y);
