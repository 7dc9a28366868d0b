#include "scene/eclairs.h"

// No bolt is ever struck yet.
void Eclair__Gestion() {}
