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
// Each 1 on one game frame in 7 (two counters): the pace of chimney smoke and fire bowls.
extern int32_t TopFumee;
extern int32_t TopFlamme;
