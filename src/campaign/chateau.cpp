#include "campaign/chateau.h"



void Batiments__chargerPlacement(const char*) {}
int Batiment__poserParId(int, int) { return 1; }
void Batiments__chargerCatalogue() {}
// The upgrade screen is not built yet: a building click is not handled.
int ChateauBatimentSelection() { return 0; }

// The upgrade screen is not built yet.
int InterfaceUpgradeChateau__init(int) { return 0; }
