// Stand-in until the building editor lands: opens nothing.
#include "editors/editeur_batiment.h"

int EditeurBatiment(int32_t) { return 1; }
