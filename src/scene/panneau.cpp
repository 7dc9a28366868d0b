#include "scene/panneau.h"

// Until the selection panel is built: no icon is drawn.
void Icone__Affichage(int, int, int) {}
