#include "battle/machines.h"

void Baliste___gestion() {}
void Catapulte___gestion() {}
void Catapulte_debris___gestion() {}
void Baliste_debris___gestion() {}

// Not drawn yet.
void BalisteAffichage() {}
void CatapulteAffichage() {}
void Catapulte_debrisAffichage() {}
void Baliste_debrisAffichage() {}
