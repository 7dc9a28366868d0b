#include "battle/humains.h"

#include "world/gestion_objets.h"
#include "world/mort.h"
#include "world/objets.h"

void HumainGestion() {
    Objet* o = ObjetCourant;
    if (o == nullptr || o->ordreSecondaire != 3) return;
    // The death animation: 12 frames, then the death itself.
    if (Animation__Avance(12)) Objet__Mort(o->indice, 2);
    else ++o->compteurEvenement;
}
