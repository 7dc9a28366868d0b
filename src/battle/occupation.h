// Occupancy maps and collision: which unit stands, or is about to stand, on each cell of the
// battle map; stamping, testing, lifting and pushing; the leading-edge tests of a move; the walled
// area and the clamp of an order's destination; the per-object path buffers.
#pragma once

#include <cstdint>

constexpr int TAILLE_LISTE_CIBLES = 40;
constexpr int COTE_CARTE = 128;
constexpr int CASES_CARTE = COTE_CARTE * COTE_CARTE;
// The static-obstacle mark of a map cell; object numbers stop at 1999.
constexpr uint32_t OBSTACLE_FIXE = 10000;

// 128 x 128 cells at x + 128 y: 0 free, OBSTACLE_FIXE, else an object number. Null until the
// world creation allocates them. The ground map is for every unit whose couche is not 2, the air
// map for flyers. The base maps are the copies taken right after each rebuild (static obstacles
// only), plus the units of taille above 1 stamped since, marked static.
extern uint32_t* CarteOccupationSol;
extern uint32_t* CarteOccupationAir;
extern uint32_t* CarteOccupationSolBase;
extern uint32_t* CarteOccupationAirBase;

// The object numbers met by the last leading-edge test, consecutive repeats dropped.
constexpr int TAILLE_OBSTACLES_LISTE = 64;
extern int32_t ObstaclesListe[TAILLE_OBSTACLES_LISTE];
extern int32_t ObstaclesNombre;

// The box of the level's fortification objects and whether it has any, noted at scene start.
extern int32_t ZoneBatimentsPresente;
extern int32_t ZoneBatimentsX, ZoneBatimentsY, ZoneBatimentsDroite, ZoneBatimentsBas;
// The archers' range upgrade (a game variable), added to archers' and casters' attack range.
extern int32_t NiveauArcDistance;

// World creation: the planner's buffers, then the four maps zero-filled (any previous ones freed);
// clears SimulationInitialisee. 1 done, 0 when memory ran out (nothing left allocated).
int Univers__AlloueCartes();
// World teardown: frees the four maps and the planner's buffers, pointers set null.
void Univers__LibereCartes();

// The unit's path buffer (its object number's slot of one region kept for the program) and its
// two target lists (-1 empty), the sight and attack ranges by class, layer and family, and the
// path fields cleared.
void Objet__AlloueTrajet(int objet);
// Frees the target lists and lets go of the path slot (pointers set null); safe on an object that
// has none.
void Objet__LibereTrajet(int objet);

// The maps start again from GrilleUnites and GrilleAir: live objects' cells free, every other
// object a static obstacle.
void Occupation__Reconstruit();
// Stamps a footprint with an object number (never over another object; on the map of that
// object's layer, marking the base map static for a unit of taille above 1), or clears it with 0.
void Occupation__Pose(int largeur, int hauteur, int x, int y, uint32_t* carte, int numero);
// The first cell under the footprint (column by column) whose value differs from the number;
// -1 for a cell off the map; 0 when every cell holds the number.
int Occupation__Test(int largeur, int hauteur, int x, int y, uint32_t* carte, int numero);
// A unit leaving its cell (number 0): falls back when a unit with priority wants the same next
// cell (unless drapeau), then clears the footprint on its layer map, whoever holds it.
void Occupation__Leve(int objet, int largeur, int hauteur, int x, int y, uint32_t* carte, int numero, int drapeau);
// Stamps the unit `numero` over whoever holds the cells, after the same priority check (unless
// drapeau).
void Occupation__PoseAvecPoussee2(int largeur, int hauteur, int x, int y, uint32_t* carte, int numero, int drapeau);
// The object gives up its next cell, stays on its own and pushes whoever stands there back in
// turn, up to the object `origine`. The third word is not read. Answers 0.
int Occupation__Avance(int objet, int origine, int inutilise = 0);

// Whether the footprint may move by (dx, dy), looking at the cells the move enters: -1 impossible,
// 1 only other units in the way (listed in ObstaclesListe), 0 clear. The group form lets the
// members of `groupe` pass.
int Collision__TestDeplacement(int objet, int x, int y, int largeur, int hauteur, int dx, int dy);
int Collision__TestDeplacementGroupe(int objet, int x, int y, int largeur, int hauteur, int dx, int dy, int groupe);

// 1 when the cell lies strictly inside the fortification box.
int Carte__DansZoneMurs(int x, int y);
// Sends an order's destination (x, y) through the gate when it crosses the walls: the reference is
// the object's cell when objet is above 0, else the group's butX, butY.
void Carte__RameneDansZone(int groupe, int objet, int* x, int* y);
