#include "scene/affichage.h"

// Nothing is drawn yet: the back buffer keeps what the scene start left in it.
void Scene__Affichage() {}

int32_t AideChateauAffichee = 0;
