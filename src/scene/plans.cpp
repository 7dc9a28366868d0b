#include "scene/plans.h"

#include "foundation/listes.h"
#include "world/objets.h"

void PlanObjet__RazAffiche() {
    for (NoeudEntier* n = ListeObjetsVivants; n && n->suivant; n = n->suivant) TableObjets[n->valeur].dejaAffiche = 0;
}
