#include "battle/sorts_auto.h"

#include "battle/cibles.h"
#include "world/objets.h"

// Until the spell tables exist: any object in the table may be aimed at.
int Sort__CibleAutorisee(int objet, int cible, int) {
    return objet > 0 && objet < NOMBRE_OBJETS && cible > 0 && cible < NOMBRE_OBJETS;
}

int Joueur__Relation(int a, int b) { return Armees__Hostiles(a, b) ? 1 : 0; }
int Sort__EstActif(int code) {
    switch (code) {
        case 33: case 34: case 35: case 36: case 38: case 41: case 42: case 43: case 44: case 45: case 47:
        case 48: case 51: case 53: case 55: case 57: case 61: case 1052: return 1;
        default: return 0;
    }
}

// Until spell costs and cool-downs exist: a unit that is not dying and has mana left.
int Sort__Lancable(Objet* objet, int slot) {
    return objet != nullptr && slot >= 0 && slot < 9 && objet->ordreSecondaire < 3 && objet->mana > 0 ? 1 : 0;
}
