// The paths of the player's regiments on the region map: the A* search over the 52 x 40 region
// grid on the shared node lists, the path given to a token and its record, and its arrows.
#pragma once

#include <cstdint>
#include <vector>

#include "battle/trajet.h"

struct Groupe;
struct RegimentRegion;

// A* from (x0, y0) to (x1, y1) for regiment r (its terrain costs; -1 closes a cell): 0 and the
// cells from the start to the goal in points[0 .. *nombre - 1]; 1 when there is none (*nombre 0).
// A goal the regiment cannot enter is moved back along the line towards the start.
int RegionRechercheChemin(int x0, int y0, int x1, int y1, int32_t* nombre, PointTrajet* points, int r);
// Appends a node to the open list; 1 when the list was full (nothing added), else 0.
int RegionAjouterNoeud(int x, int y, int32_t coutParcouru, int32_t coutEstime, int32_t cleParent);
// The first cell on the line from the goal towards the start (the start included) that regiment r
// may enter; the goal when there is none.
void RegionLigneDeVue(int xBut, int yBut, int xDepart, int yDepart, int* x, int* y, int r);
// Plans the path of ObjetCourant's token (regiment r): the side's other tokens block their cells
// for the search; the token's group takes the path; the count, cut before the first cell the
// regiment cannot enter, is returned.
int Region__calculerChemin(int x0, int y0, int x1, int y1, int r);
// The planned points stored in regiment r's record (at most 500); fewer than 2 points: no path.
void RegionRegimentFixerChemin(int r, int nombre);

// One arrow of a drawn path: graphic object, frame, top-left screen pixel.
struct FlecheChemin {
    int objet, image, x, y;
};
constexpr int GFX_FLECHE = 842, GFX_FLECHE_EPUISEE = 1356;
// The arrows of a group's path from its current point: 842 while the record's points of the turn
// cover the way, 1356 beyond.
std::vector<FlecheChemin> RegionFlechesChemin(const Groupe& g, const RegimentRegion& r);
// Draws the arrows of ObjetCourant's token; of every regiment token that has a path.
void RegionDessinerChemin();
void RegionDessinerChemins();
