#include "battle/impacts.h"

int32_t EffetsImpactDemandes = 0;

int EffetImpactAjouter(Objet*, int, int, int, int, int) {
    ++EffetsImpactDemandes;
    return 1;
}

void EffetImpactViderTable() { EffetsImpactDemandes = 0; }

void EffetImpactGestion() {}
