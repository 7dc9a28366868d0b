#include "battle/humains.h"

#include "foundation/objetsgfx.h"
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

void Chiffres__Affiche(int x, int y, int n) {
    long long reste = n < 0 ? 0 : n;
    do {
        Sprite__Affiche(9, x, y, static_cast<int>(reste % 10));
        x -= 4;
        reste /= 10;
    } while (reste != 0);
}
