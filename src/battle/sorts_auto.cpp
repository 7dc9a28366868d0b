#include "battle/sorts_auto.h"

#include "battle/cibles.h"

int Joueur__Relation(int a, int b) { return Armees__Hostiles(a, b) ? 1 : 0; }
