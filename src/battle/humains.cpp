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

void Objet__OrientationCible() {
    Objet* o = ObjetCourant;
    if (o == nullptr) return;
    int tx = o->prochaineCaseX, ty = o->prochaineCaseY;
    if (o->ordreSecondaire == 1 && o->groupeCible != -1 && o->cible > 0 && o->cible < NOMBRE_OBJETS) {
        tx = TableObjets[o->cible].x;
        ty = TableObjets[o->cible].y;
    }
    const int x = o->x, y = o->y, t = o->taille;
    if (t >= 2 && o->ordreSecondaire == 1) {
        if (tx < x) o->direction = ty < y ? 7 : ty >= y + t ? 5 : 6;
        else if (ty < y) o->direction = tx >= x + t ? 1 : 0;
        else if (ty < y + t) o->direction = 2;
        else o->direction = tx >= x + t ? 3 : 4;
        return;
    }
    if (tx > x) o->direction = ty > y ? 3 : ty == y ? 2 : 1;
    else if (tx == x) {
        if (ty > y) o->direction = 4;
        else if (ty < y) o->direction = 0;
    } else {
        o->direction = ty > y ? 5 : ty == y ? 6 : 7;
    }
}

int Animation__NombreImages(int a) {
    const Objet* o = ObjetCourant;
    if (o == nullptr || o->animations == nullptr || a < 0 || a >= NOMBRE_ANIMATIONS) return 0;
    return o->animations[a].images;
}

int Animation__NombreDirections(int a) {
    const Objet* o = ObjetCourant;
    if (o == nullptr || o->animations == nullptr || a < 0 || a >= NOMBRE_ANIMATIONS) return 0;
    return o->animations[a].directions;
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

void Chiffres__Affiche(int x, int y, int n) {
    long long reste = n < 0 ? 0 : n;
    do {
        Sprite__Affiche(9, x, y, static_cast<int>(reste % 10));
        x -= 4;
        reste /= 10;
    } while (reste != 0);
}
