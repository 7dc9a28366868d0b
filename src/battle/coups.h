// Hits, heals and death.
#pragma once

#include <cstdint>

struct Objet;

// One hit on object cible by the attacker's record, by attack mode (0, 1, 5, 6 or 7).
void EvenementDegats(int32_t cible, Objet* attaquant, int32_t mode);
