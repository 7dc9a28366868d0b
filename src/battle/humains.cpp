#include "battle/humains.h"

#include <cstddef>

#include "foundation/objetsgfx.h"
#include "shell/trame.h"
#include "world/gestion_objets.h"
#include "world/maitres.h"
#include "world/mort.h"
#include "world/objets.h"

void HumainGestion() {
    Objet* o = ObjetCourant;
    if (o == nullptr || o->ordreSecondaire != 3) return;
    // The death animation: 12 frames, then the death itself.
    if (Animation__Avance(12)) Objet__Mort(o->indice, 2);
    else ++o->compteurEvenement;
}

// The standing figure of its animation until the unit display draws each pose.
void Humain__Affiche() {
    const Objet* o = ObjetCourant;
    if (o == nullptr || o->typeMaitre < 0 || o->typeMaitre >= NOMBRE_TYPES_MAITRES) return;
    const int a = o->animation >= 0 && o->animation < NOMBRE_ANIMATIONS ? o->animation : 0;
    int n = (*TablesObjetGfxAnimations[static_cast<size_t>(a)])[static_cast<size_t>(o->typeMaitre)];
    if (n < 0) n = ObjetGfx_ANIM__DPL[static_cast<size_t>(o->typeMaitre)];
    const int images = o->animations ? o->animations[a].images : 12;
    const int image = (o->direction & 7) * (images > 0 ? images : 12) + (o->image >= 0 ? o->image : 0);
    Sprite__Affiche(n, (o->x - RepereX) * 24 + o->decalageX + 12, (o->y - RepereY) * 24 + o->decalageY + 12, image);
}
