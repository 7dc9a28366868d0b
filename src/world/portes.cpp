#include "world/portes.h"

#include "platform/hasard.h"
#include "world/descriptions.h"
#include "world/grilles.h"
#include "world/mort.h"
#include "world/objets.h"

void Porte__Gestion() {
    Objet* porte = ObjetCourant;
    if (porte == nullptr) return;
    if (Hasard_Regles() % 10 >= 8) {
        porte->pointsDeVie -= 20;
        porte->touche = 1;
    } else {
        porte->touche = 0;
    }
    if (porte->pointsDeVie > 0) return;

    const int b = porte->direction;
    if (b < 1 || b >= NOMBRE_OBJETS || TableObjets[b].noeudListe == nullptr) return;
    Objet& batiment = TableObjets[b];
    DescriptionBatiment* d = Batiment__Description(batiment.typeMaitre, 1);
    if (d == nullptr) return;
    DescriptionBatimentCourante = d;
    batiment.sorts[7] = -1;   // the door layer of this building only
    const int codes = Batiment__NombreCodes(d);
    for (int c = 0; c < codes; ++c) {
        if (d->codeObjet[c] != 3) continue;
        const int victime = Univers__CaseUnites(batiment.x + d->codeX[c], batiment.y + d->codeY[c]);
        // An empty cell has no part to kill, and a door never takes its building down.
        if (victime != 0 && victime != b) Objet__Mort(victime, 2);
    }
    ObjetCourant = porte;
}
