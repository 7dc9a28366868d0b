#include "battle/occupation.h"

#include "battle/trajet.h"
#include "world/objets.h"

void Objet__AlloueTrajet(int objet) {
    if (objet < 1 || objet >= NOMBRE_OBJETS) return;
    Objet& o = TableObjets[objet];
    Objet__LibereTrajet(objet);
    o.trajet = new PointTrajet[POINTS_TRAJET_UNITE]();
    o.listeAllies = new int32_t[TAILLE_LISTE_CIBLES];
    o.listeEnnemis = new int32_t[TAILLE_LISTE_CIBLES];
    for (int i = 0; i < TAILLE_LISTE_CIBLES; ++i) o.listeAllies[i] = o.listeEnnemis[i] = -1;
    o.dernierAllie = o.dernierEnnemi = -1;
    o.cible = -1;
    o.groupeCible = -1;
    o.auContact = 0;
    o.nbPointsTrajetUnite = 0;
    o.pointCourantUnite = 0;
}

void Objet__LibereTrajet(int objet) {
    if (objet < 1 || objet >= NOMBRE_OBJETS) return;
    Objet& o = TableObjets[objet];
    delete[] o.trajet;
    delete[] o.listeAllies;
    delete[] o.listeEnnemis;
    o.trajet = nullptr;
    o.listeAllies = o.listeEnnemis = nullptr;
}
