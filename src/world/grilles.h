// The three 128 x 128 grids of the battle world: which object stands on each cell, per layer.
// Cell (x, y) is at index x + 128 y; 0 is empty. Every stamp is clipped to the map.
#pragma once

#include <cstdint>

constexpr int TAILLE_UNIVERS = 128;

extern int32_t* GrilleAir;      // flyers
extern int32_t* GrilleUnites;   // units, buildings, trees, decor; 1 marks water and impassable cells
extern int32_t* GrilleSol;      // spawners, teleporters, corpses
extern int32_t* PointeurCase;   // left after the last cell walked by a zone test

// The three blocks, zero-filled; the world creation makes them and the teardown frees them.
void Univers__AlloueGrilles();
void Univers__LibereGrilles();
// The three grids and the stamps emptied, the grids kept (none made when there are none).
void Univers__EffaceGrilles();

// 1 when every cell of the area is empty; a cell off the map counts as taken.
int Univers__ZoneLibreAir(int x, int y, int largeur, int hauteur);
int Univers__ZoneLibreUnites(int x, int y, int largeur, int hauteur);
int Univers__ZoneLibreSol(int x, int y, int largeur, int hauteur);
// Whether no cell of the rectangle (x0, y0)-(x1, y1) of `grille`, clipped to the map, holds an
// object (index 1 to NOMBRE_OBJETS - 1); with `armees` (a row of six flags by army), an object of
// an army it flags. A search that only takes such objects finds nothing in an empty rectangle.
bool Univers__RectangleSansObjet(const int32_t* grille, int x0, int y0, int x1, int y1, const int32_t* armees);
// 0 off the map.
int Univers__CaseUnites(int x, int y);
int Univers__CaseSol(int x, int y);
void Univers__PoseCaseUnites(int x, int y, int indice);
void Univers__EffaceCaseUnites(int x, int y);
void Univers__OccupationAir(int indice);
void Univers__OccupationUnites(int indice);
void Univers__OccupationSol(int indice);
void Univers__LiberationAir(int indice);
void Univers__LiberationUnites(int indice);
void Univers__LiberationSol(int indice);
// Clears the cells the object's last unit-grid stamp wrote when caseIndice is the index it
// recorded (empreinteUnites), else the ObjetCourant-sized square at that index; only cells
// holding the object's index are cleared.
void Univers__EffaceEmpreinteUnites(int indice, int caseIndice);
