// The battle world's creation and teardown, and the screen geometry of the view.
#pragma once

#include <array>
#include <cstdint>

#include "foundation/listes.h"

// Screen geometry: the view is a whole number of 48-pixel squares of two by two 24-pixel cells.
extern int32_t PasEcranOctets;   // bytes per row of the back buffer
extern int32_t PasEcranDemi;
extern int32_t PasEcranQuart;
extern int32_t TuilesVisiblesX;
extern int32_t TuilesVisiblesY;
extern int32_t CasesVisiblesX;
extern int32_t CasesVisiblesY;
extern int32_t DefilementMaxX;   // 128 minus the visible columns: the scroll bounds
extern int32_t DefilementMaxY;
extern int32_t NombreCasesVisibles;
extern int32_t LargeurLigneEcran;
extern std::array<int32_t, 128> DecalageLignes;

// The shared scratch path buffer of the loaders.
extern char CheminTampon[1024];

// Light level of each hour, read from "..\ini\intensite.txt" at every scene start.
extern std::array<int32_t, 24> TableIntensite;
// Reads the table: 24 light levels; a missing or short file keeps the table as it was.
void LireIntensite();
// The game clock when the battle started.
extern uint32_t HeureDebutBataille;

void Ecran__Geometrie(int largeur, int hauteur);
// At start-up: the scratch strings and the geometry of the current screen.
void Moteur__Initialisation();

// The world of a scene: its grids, the object and group tables, the placeholder of water and
// impassable cells, the level of the scene mode; the result of the occupancy maps' allocation.
int UniversCreation();
void UniversDestruction();
// For readers that load one level after another into the same battle world (the fuzz target):
// every object, group, condition and grid of the world given back or emptied, the tables and the
// lists kept; then the world of scene mode 2 made again from a level, as UniversCreation makes it
// (the occupancy maps, which no level fills, left as they are).
void Univers__Vider();
void Univers__RechargeNiveau(const char* fichier);
// The scene start for ModeSceneCourant.
void ChargeRegion();
// The scene teardown; the next router code, also left in MorvaneCode.
int Region__Quitte();
// Pops every node of an integer list down to its terminal node.
void Liste__Vider(NoeudEntier** liste);
