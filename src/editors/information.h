// The debug information pages: a menu of 23 pages drawn over the scene that show the engine's
// state and open the editors. They open only with the developer option MORVANE_DEBUG=1 (F5).
#pragma once

#include <cstdint>
#include <cstdio>

extern int32_t InformationActive;
extern int32_t InformationPage;         // 0 the menu, 1..23 a page
extern int32_t CurseurInformation;      // the menu's highlighted line (1..23); page 8's line (0..31)
constexpr int NOMBRE_PAGES_INFORMATION = 23;
extern const char NomsPagesInformation[NOMBRE_PAGES_INFORMATION + 1][50];

// Drawn last on every frame while InformationActive is set: the page and its keys, the cursor.
void InformationAffichage();

// True with MORVANE_DEBUG=1: the debug key opens the pages and pages 18 to 22 may write the
// player's files.
bool Information__OptionDeveloppeur();
// The debug key: on, the pages show (the menu first time) and the normal cursor hides; off, all cleared.
void Information__Bascule();

// What pages 18 to 21 and 22 open and write (the army screen, the regiment files' rewrite);
// tests replace them.
extern int (*Information__EcranArmee)(int32_t joueur);
extern void (*Information__CopierRegiments)(int32_t joueur, const int32_t* survivants);

// The region terrain editor page (page 16), drawn over the region map.
extern int32_t ModeEditionRegion;       // 0 plain .. 4 impassable, 5 start cells
void InformationEditeurSurfaceCarteRegion();
// Writes the current region to "..\region\region<NumeroRegion>.txt" (a temporary file renamed
// over it); false, reported, when it cannot be written.
bool InformationRegion__Sauver();
// The region file's text: both grids, then the sites.
struct CarteRegion;
void InformationRegion__Ecrire(FILE* f, const CarteRegion& carte);
