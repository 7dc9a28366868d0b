#include "campaign/zone_region.h"

#include <cstddef>

// Nothing is seen until the view zone is computed.
std::array<int32_t, LARGEUR_REGION * HAUTEUR_REGION> ZoneAccessible{};

int ZoneAccessible__Case(int x, int y) {
    if (x < 0 || x >= LARGEUR_REGION || y < 0 || y >= HAUTEUR_REGION) return 0;
    return ZoneAccessible[static_cast<size_t>(x * HAUTEUR_REGION + y)] != 0;
}
