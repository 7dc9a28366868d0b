// The pulse tables that light fires, glows and magic: read at the frame counters.
#pragma once

#include <array>
#include <cstdint>

extern const std::array<int32_t, 43> TablePulsation43;         // 1..16 and back to 2
extern const std::array<int32_t, 43> TablePulsation43Decalee;  // the same pulse at another phase
extern const std::array<int32_t, 100> TablePulsation100;       // 15 down to 3 and back to 14
