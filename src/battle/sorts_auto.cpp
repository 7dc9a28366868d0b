#include "battle/sorts_auto.h"

#include "battle/cibles.h"
#include "world/objets.h"

// Until the spell tables exist: any object in the table may be aimed at.
int Sort__CibleAutorisee(int objet, int cible, int) {
    return objet > 0 && objet < NOMBRE_OBJETS && cible > 0 && cible < NOMBRE_OBJETS;
}

int Joueur__Relation(int a, int b) { return Armees__Hostiles(a, b) ? 1 : 0; }

// Until the spell tables exist no spell has a target and none is cast.
int Sort__Lancement(Objet*, Objet*, int) { return 0; }
int Sort__CibleValide(Objet*, Objet*, int) { return 0; }
