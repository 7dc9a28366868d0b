#include "world/batiments.h"

#include <algorithm>

#include "foundation/erreurs.h"
#include "world/descriptions.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/maitres.h"
#include "world/objets.h"
#include "world/portes.h"

int32_t* GrilleSelection = nullptr;
int32_t* GrillePriorite = nullptr;

namespace {

constexpr int N = TAILLE_UNIVERS;

// The building's record: the one given, or the one of its master type and orientation.
DescriptionBatiment* DescriptionDe(const Objet& o) {
    return Batiment__Description(o.typeMaitre, o.famille == 20 ? 1 : o.direction);
}

// Calls f(description cell, map cell) for each description cell that lies on the map.
template <typename F>
void PourChaqueCase(const DescriptionBatiment& d, const Objet& o, F f) {
    if (d.occupationSol == nullptr || d.largeur * d.hauteur > d.capaciteGrilles) return;
    for (int r = 0; r < d.hauteur; ++r)
        for (int c = 0; c < d.largeur; ++c) {
            const int x = o.x + c, y = o.y + r;
            if (x < 0 || y < 0 || x >= N || y >= N) continue;
            f(r * d.largeur + c, x + N * y);
        }
}

// The master an object code creates and its direction argument; -1 when the code creates nothing.
int MaitreDuCode(const DescriptionBatiment& d, int c, int batiment, int* direction) {
    *direction = batiment;
    switch (d.codeObjet[c]) {
        case 1: return 306;
        case 2: return 307;
        case 3: return 305;
        case 4: *direction = d.codeParam2[c]; return d.codeParam1[c];
        default: return -1;
    }
}

}  // namespace

void Univers__AlloueGrillesBatiments() {
    Univers__LibereGrillesBatiments();
    GrilleSelection = new int32_t[N * N]();
    GrillePriorite = new int32_t[N * N]();
}

void Univers__EffaceGrillesBatiments() {
    for (int32_t* g : {GrilleSelection, GrillePriorite})
        if (g) std::fill(g, g + N * N, 0);
}

void Univers__LibereGrillesBatiments() {
    delete[] GrilleSelection;
    delete[] GrillePriorite;
    GrilleSelection = GrillePriorite = nullptr;
}

void Batiment__Naissance(int objet) {
    if (objet < 1 || objet >= NOMBRE_OBJETS || DescriptionBatimentCourante == nullptr) return;
    DescriptionBatiment* const d = DescriptionBatimentCourante;
    Objet* o = &TableObjets[objet];
    ObjetCourant = o;
    Porte__Relever(objet);   // a slot's earlier building may have lost its gate
    struct Tampon {
        int32_t* DescriptionBatiment::*source;
        int32_t* grille;
    };
    const Tampon tampons[4] = {{&DescriptionBatiment::occupationSol, GrilleUnites},
                               {&DescriptionBatiment::occupationAir, GrilleAir},
                               {&DescriptionBatiment::selection, GrilleSelection},
                               {&DescriptionBatiment::priorite, GrillePriorite}};
    for (const Tampon& t : tampons) {
        const int32_t* source = d->*t.source;
        if (source == nullptr || t.grille == nullptr) continue;
        PourChaqueCase(*d, *o, [&](int i, int cellule) {
            if (source[i] != 0) t.grille[cellule] = objet;
        });
    }
    // Master 145 leaves passable the selecting cells that water or rock had marked.
    if (o->typeMaitre == 145 && GrilleUnites != nullptr && d->selection != nullptr)
        PourChaqueCase(*d, *o, [&](int i, int cellule) {
            if (d->selection[i] != 0 && GrilleUnites[cellule] == 1) GrilleUnites[cellule] = 0;
        });

    const int codes = Batiment__NombreCodes(d);
    for (int c = 0; c < codes; ++c) {
        int direction = 0;
        const int m = MaitreDuCode(*d, c, objet, &direction);
        if (m < 0) continue;
        const int x = o->x + d->codeX[c], y = o->y + d->codeY[c];
        // What a description attaches must land on the map and be a master that exists.
        if (x < 0 || y < 0 || x >= N || y >= N) {
            Erreur_Question("Batiment__Naissance()", "Code objet %d hors de la carte : %d %d (bâtiment %d)",
                            d->codeObjet[c], x, y, o->typeMaitre);
            continue;
        }
        if (m >= NombreMaitres || m >= NOMBRE_TYPES_MAITRES || NomsMaitres[m] == nullptr) {
            Erreur_Question("Batiment__Naissance()", "Code objet %d : objet maître %d absent (bâtiment %d)",
                            d->codeObjet[c], m, o->typeMaitre);
            continue;
        }
        Groupe___Creation(m, o->armee, x, y, 1, 1, direction);
        // A pre-placed building or a spawner's birth may have pointed it elsewhere.
        DescriptionBatimentCourante = d;
        o = &TableObjets[objet];
    }
    ObjetCourant = o;
}

void Batiment__Liberation(int objet) {
    if (objet < 1 || objet >= NOMBRE_OBJETS) return;
    const Objet& o = TableObjets[objet];
    const DescriptionBatiment* d = DescriptionDe(o);
    if (d == nullptr) return;
    for (int32_t* grille : {GrilleUnites, GrilleAir, GrilleSelection, GrillePriorite}) {
        if (grille == nullptr) continue;
        PourChaqueCase(*d, o, [&](int, int cellule) {
            if (grille[cellule] == objet) grille[cellule] = 0;
        });
    }
}
