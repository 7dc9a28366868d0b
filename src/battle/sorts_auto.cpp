#include "battle/sorts_auto.h"

// Until the spell tables exist no spell has a target and none is cast.
int Sort__Lancement(Objet*, Objet*, int) { return 0; }
int Sort__CibleValide(Objet*, Objet*, int) { return 0; }
