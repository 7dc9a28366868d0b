#include "campaign/chateau.h"

int32_t NiveauChateau = 1;

void Batiments__chargerPlacement(const char*) {}
int Batiment__poserParId(int, int) { return 1; }
void Batiments__chargerCatalogue() {}
