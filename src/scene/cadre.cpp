#include "scene/cadre.h"

// Not drawn yet.
void CadreSelection__Affichage() {}
