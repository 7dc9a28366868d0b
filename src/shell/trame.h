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
extern int32_t CompteurTours;  // game ticks, one per logic pass while not paused
