#include "scene/carte_reduite.h"

int32_t CarteReduiteVisible = 0;

// Not drawn yet.
void CarteReduite_MiseAJour() {}
void CarteReduite_Affichage() {}
