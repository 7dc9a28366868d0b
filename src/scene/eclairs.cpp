#include "scene/eclairs.h"

#include "battle/coups.h"
#include "world/objets.h"

// No bolt is drawn yet: the target is struck at once, as the bolt's end would.
Eclair* Eclair__Creation(int, int, int, int cible, int lanceur) {
    if (lanceur < 1 || lanceur >= NOMBRE_OBJETS || TableObjets[lanceur].noeudListe == nullptr) return nullptr;
    EvenementDegats(cible, &TableObjets[lanceur], 0);
    return nullptr;
}
