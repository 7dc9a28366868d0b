// The frame counters that the game frame advances once per logic pass, read by the displays.
#pragma once

#include <cstdint>

extern int32_t CompteurTrameRegion;   // 0..31, region map only
extern int32_t CompteurCycle12;       // 0..11
extern int32_t CompteurCycle20;       // 0..19; each wrap turns Pulsation over
extern int32_t CompteurCycle25;       // 0..24
extern int32_t CompteurCycle32;       // 0..31
extern int32_t CompteurCycle43;       // 0..42
extern int32_t CompteurCycle43Bis;    // 0..42
extern int32_t& CompteurCycle43B;
extern int32_t CompteurCycle100;      // 0..99
extern int32_t Pulsation;             // +1 or -1

// 1 on one logic pass in seven (each its own counter), else 0: the pace of smoke and flames.
extern int32_t TopFumee;
extern int32_t TopFlamme;

// Adds one to `compteur`, back to 0 at `cycle`; true when it wrapped.
bool Cycle__Avance(int32_t* compteur, int32_t cycle);
