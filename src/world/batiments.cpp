#include "world/batiments.h"

#include "world/descriptions.h"
#include "world/grilles.h"
#include "world/objets.h"

void Batiment__Naissance(int objet) {
    if (objet < 1 || objet >= NOMBRE_OBJETS || DescriptionBatimentCourante == nullptr) return;
    Objet* o = &TableObjets[objet];
    ObjetCourant = o;
    const DescriptionBatiment& d = *DescriptionBatimentCourante;
    for (int r = 0; r < d.hauteur; ++r)
        for (int c = 0; c < d.largeur; ++c) {
            int x = o->x + c, y = o->y + r;
            if (x < 0 || y < 0 || x >= TAILLE_UNIVERS || y >= TAILLE_UNIVERS) continue;
            int i = r * d.largeur + c;
            if (d.occupationSol && d.occupationSol[i] && GrilleUnites) GrilleUnites[x + TAILLE_UNIVERS * y] = objet;
            if (d.occupationAir && d.occupationAir[i] && GrilleAir) GrilleAir[x + TAILLE_UNIVERS * y] = objet;
        }
}
