#include "battle/coups.h"

// The hit rules are not here yet: a hit changes nothing.
void EvenementDegats(int32_t, Objet*, int32_t) {}
