#include "scene/eclairs.h"

// No bolt is made yet, so there is none to draw.
void Eclair__Affichage() {}
