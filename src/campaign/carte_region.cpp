#include "campaign/carte_region.h"

// Not drawn yet.
void CarteRegion__Affichage() {}
void CarteRegion__Objets(int, int) {}
