// Lightning bolts: from a point to a target object, striking it when they end.
#pragma once

#include <cstdint>

struct Eclair;

// A bolt from map pixel (x, y) to object cible, struck on behalf of object lanceur; n has no
// effect. Null when none is made.
Eclair* Eclair__Creation(int32_t x, int32_t y, int32_t n, int32_t cible, int32_t lanceur);
