#include "scene/carte_reduite.h"

int32_t CarteReduiteX = 520, CarteReduiteY = 360;
int32_t CarteReduiteDecalageX = 0, CarteReduiteDecalageY = 0;
// A 128-cell map in the 100-pixel picture.
float CarteReduiteEchelleX = 100.0f / 128.0f, CarteReduiteEchelleY = 100.0f / 128.0f;

// The picture is not drawn yet, so there is nothing to rebuild.
void CarteReduite_MiseAJour() {}
void CarteReduite_Affichage() {}
void CarteReduite_Creation() {}
void CarteReduite_Liberation() {}
