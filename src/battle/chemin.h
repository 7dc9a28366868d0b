// The path planner: straight walks towards the goal and, where the line meets an obstacle, the
// obstacle's contour followed both ways (counter-clockwise "trigo", clockwise "trigoinv"), the
// shorter kept; then the raw path smoothed by jumps to the farthest point in sight. For one unit,
// or for a whole formation rectangle. All work is done in fixed global buffers.
#pragma once

#include <cstdint>

#include "battle/trajet.h"

constexpr int POINTS_TAMPON_TRAJET = 1000;
constexpr int PAS_CONTOUR_MAX = 310;

// The raw path, the two contours of the current obstacle and the smoothed path (the output); null
// until Trajet__AlloueTampons.
extern PointTrajet* TrajetBrut;
extern int32_t TrajetBrutNombre;
extern PointTrajet* TrajetTrigo;
extern int32_t TrajetTrigoNombre;
extern PointTrajet* TrajetTrigoInverse;
extern int32_t TrajetTrigoInverseNombre;
extern PointTrajet* TrajetLisse;
extern int32_t TrajetLisseNombre;

// The rectangle that must fit on every path cell.
extern int32_t TrajetEmpriseLargeur;
extern int32_t TrajetEmpriseHauteur;
// Steps of the contour walk in progress.
extern int32_t ContourPas;

// Result of a contour walk.
enum CodeContour : int32_t {
    CONTOUR_ATTEINT = 0,      // reached the resume cell
    CONTOUR_SORTIE = -1,      // would leave the map, or its buffer is full
    CONTOUR_BOUCLE = -2,      // came back beside its start and the line from the resume cell is clear
    CONTOUR_TROP_LONG = -3,   // more than PAS_CONTOUR_MAX steps
};

// Frees, then allocates zero-filled, the four point buffers and the two A* node lists; every count
// 0. 1 done, 0 when memory ran out (nothing left allocated).
int Trajet__AlloueTampons();
// Frees the buffers and the node lists, pointers set null.
void Trajet__LibereTampons();

// Plans from (xDepart, yDepart) to (xBut, yBut). A group order passes objet 0 and the group; a
// single unit its numeroObjet and groupe -1. 0: a path, possibly partial or empty, is in
// TrajetLisse (callers pass &TrajetLisseNombre, TrajetLisse); 1: no path, *nombre 0.
int Trajet__Calcul(int xDepart, int yDepart, int xBut, int yBut, int32_t* nombre, PointTrajet* points,
                   const uint32_t* carte, int objet, int groupe);

// 1 when the rectangle TrajetEmpriseLargeur x TrajetEmpriseHauteur at (x, y) is blocked (a cell
// off the map, or holding neither permisA nor permisB; with a group, placed by the formation's
// offset and letting the group's own units and its AI target's pass).
int Trajet__CaseBloquee(int x, int y, const uint32_t* carte, int permisA, int permisB, int groupe);

// The recording line walk: appends the free cells met before the first blocked one to TrajetBrut.
// 1 blocked (dernierLibre the cell before the obstacle, reprise the first free cell beyond it,
// direction the step into it), 0 reached.
int Trajet__LigneDroite(int x, int y, int xBut, int yBut, int* xDernierLibre, int* yDernierLibre, int* xReprise,
                        int* yReprise, int* direction, const uint32_t* carte, int objet, int groupe);
// The same walk, recording nothing.
int Trajet__TesteLigne(int x, int y, int xBut, int yBut, int* xDernierLibre, int* yDernierLibre, int* xReprise,
                       int* yReprise, int* direction, const uint32_t* carte, int objet, int groupe);
// The first free cell on the line from the goal back towards the start (the start when none).
void Trajet__ButLibre(int xBut, int yBut, int xDepart, int yDepart, int* xNouveau, int* yNouveau, int* direction,
                      const uint32_t* carte, int objet, int groupe);

// The contour walks from the last free cell (xDepart, yDepart) round the obstacle met in
// `direction`, towards the resume cell; the point count of their buffer is set to 0 by the caller.
CodeContour Trajet__ContourTrigo(int xDepart, int yDepart, int xReprise, int yReprise, int direction,
                                 const uint32_t* carte, int xBut, int yBut, int* xFin, int* yFin, int objet,
                                 int groupe);
CodeContour Trajet__ContourTrigoInverse(int xDepart, int yDepart, int xReprise, int yReprise, int direction,
                                        const uint32_t* carte, int xBut, int yBut, int* xFin, int* yFin, int objet,
                                        int groupe);

// 1 when every cell of the line from a up to, not including, b is free (a = b is in sight).
int Trajet__Visibilite(int ax, int ay, int bx, int by, const uint32_t* carte, int objet, int groupe);
// Appends the cells of the line from a up to, not including, b to TrajetLisse, within its size.
void Trajet__Segment(int ax, int ay, int bx, int by);
// Builds TrajetLisse from TrajetBrut.
void Trajet__Lissage(const uint32_t* carte, int objet, int groupe);

// d + 1 when sens is 1, else d - 1, wrapped to 0..7.
void Direction__Tourne(int* d, int sens);
// sortie := d + 1 when sens is 1, else d - 1, wrapped to 0..7.
void Direction__Voisine(int* sortie, int d, int sens);
