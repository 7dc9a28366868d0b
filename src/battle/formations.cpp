#include "battle/formations.h"

int Groupe__Initialise(int) { return 0; }
