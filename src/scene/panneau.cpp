#include "scene/panneau.h"

// The bar is not drawn yet, so it holds no slot.
int32_t CapacitesNombre = 0;
std::array<int32_t, 9> CapacitesObjets{};
std::array<int32_t, 9> CapacitesIndex{};
std::array<int32_t, 9> CapacitesActives{};
