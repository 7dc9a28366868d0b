// The frame counters that the game frame advances once per logic pass, read by the displays.
#pragma once

#include <cstdint>

extern int32_t CompteurCycle12;     // 0..11
extern int32_t CompteurCycle20;     // 0..19
extern int32_t CompteurCycle43;     // 0..42
extern int32_t CompteurCycle43Bis;  // 0..42
extern int32_t CompteurCycle100;    // 0..99
