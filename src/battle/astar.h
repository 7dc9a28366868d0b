// The open and closed node lists of an A* search over a grid (the region map's search), with
// append, find by cell or key, best open node, removal and the cost between two cells. The lists
// are compact (0 .. count - 1), in no order; removal moves the last node into the freed place.
#pragma once

#include <cstdint>

struct NoeudAstar {
    int32_t x, y;
    int32_t coutEstime;     // h, to the goal
    int32_t coutParcouru;   // g, from the start
    int32_t cleParent;      // key of the node it was reached from
    int32_t cle;            // the cell's key
};
static_assert(sizeof(NoeudAstar) == 24);

constexpr int NOEUDS_ASTAR = 800;

// Allocated with the planner's buffers (Trajet__AlloueTampons); null before.
extern NoeudAstar* AstarOuverts;
extern int32_t AstarOuvertsNombre;
extern NoeudAstar* AstarFermes;
extern int32_t AstarFermesNombre;

// Appends a copy of the node to the closed list; 1 when the list is then full (the search must
// stop; a full list takes nothing more), else 0.
int32_t Astar__AjouteFerme(const NoeudAstar* noeud);
// Index of the first node at the cell, or with the key; -1 when none.
int32_t Astar__ChercheOuvert(int32_t x, int32_t y);
int32_t Astar__ChercheFerme(int32_t x, int32_t y);
int32_t Astar__ChercheOuvertCle(int32_t cle);
int32_t Astar__ChercheFermeCle(int32_t cle);
// Index of the open node with the least coutEstime + coutParcouru (the highest index among
// equals); -1 when the list is empty.
int32_t Astar__MeilleurOuvert();
// Removes node i (the last node takes its place); an index outside the list does nothing.
void Astar__RetireOuvert(int32_t i);
void Astar__RetireFerme(int32_t i);
// (x2 - x1)^2 + (y2 - y1)^2.
int32_t Astar__Cout(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
