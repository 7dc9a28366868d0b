// The game frame and the globals it keeps.
#pragma once

#include <cstdint>

extern int32_t JeuEnPause;
extern int32_t LumiereActive;   // terrain lighting on (1) or off

// The view origin on the battle map, in cells (kept even).
extern int32_t RepereX;
extern int32_t RepereY;
extern int32_t ReperePixelX;   // the same in pixels
extern int32_t ReperePixelY;
extern uint32_t HorlogeJeu;   // the game clock in milliseconds, taken from the tick count

// Clouds drawn and moved (N key).
extern int32_t NuagesActifs;
// The minimap cell under the mouse: CarteReduiteSurvolee 1, or all three -1.
extern int32_t CarteReduiteSurvolee, CarteReduiteSurvolX, CarteReduiteSurvolY;
// The visible cell under the mouse.
extern int32_t CurseurCaseX, CurseurCaseY;
// The object picked under the cursor on the ground, air and unit grids (0 none).
extern int32_t SourisSurvol, SourisSurvolAir, SourisSurvolUnite;
