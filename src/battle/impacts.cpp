#include "battle/impacts.h"

// The table arrives with the impact effects; until then there is nothing to free.
void EffetImpactViderTable() {}
