#include "battle/joueur_evenements.h"

#include "world/maitres.h"
#include "world/objets.h"

// Stand-in until the event player lands: the frame counter catches up one frame per call and a
// cast ends on its last frame; no event is played.
int PlayerEvenement(Objet* o) {
    if (o == nullptr || o->compteurEvenement >= o->image) return -1;
    ++o->compteurEvenement;
    const int a = o->animation;
    const int images = o->animations && a >= 0 && a < 21 ? o->animations[a].images : 0;
    if (o->enIncantation == 1 && o->compteurEvenement >= images - 1) o->enIncantation = o->action = 0;
    return -1;
}
