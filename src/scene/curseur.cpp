#include "scene/curseur.h"

int32_t CurseurMasque = 0;

// Not drawn yet.
void Curseur__Affichage() {}
void InfoBulle__Affichage() {}
void PanneauInfo__Affichage() {}
