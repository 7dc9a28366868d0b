#include "battle/cadavres.h"

int32_t CadavresDemandes = 0;

void Cadavre__Creation(int) { ++CadavresDemandes; }

void Minuterie__Gestion() {}

// No corpse object is made yet, so there is none to draw.
void CadavreAffichage() {}
