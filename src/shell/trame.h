// The game frame and the globals it keeps.
#pragma once

#include <cstdint>

extern int32_t JeuEnPause;
