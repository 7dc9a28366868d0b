#include "battle/ordres.h"

#include "world/groupes.h"

void Groupe__OrdreDeplacement(int groupe, int x, int y, int, int) {
    if (!Groupe__Actif(groupe)) return;
    TableGroupes[groupe].destinationOrdreX = x;
    TableGroupes[groupe].destinationOrdreY = y;
    TableGroupes[groupe].nouvelOrdre = 1;
}

void Groupe__OrdreAttaque(int, int, int, int, int) {}
