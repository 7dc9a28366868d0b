#include "battle/generateurs.h"

#include "battle/coups.h"
#include "battle/formations.h"
#include "campaign/variables.h"
#include "shell/cycles.h"
#include "world/descriptions.h"
#include "world/grilles.h"
#include "world/maitres.h"
#include "world/mort.h"
#include "world/objets.h"

namespace {

constexpr uint8_t IMMUNISE = 254;

Objet* ObjetVivant(int i) {
    if (i < 1 || i >= NOMBRE_OBJETS || TableObjets[i].noeudListe == nullptr) return nullptr;
    return &TableObjets[i];
}

bool MaitreCharge(int m) { return m >= 0 && m < NombreMaitres && m < NOMBRE_TYPES_MAITRES && NomsMaitres[m] != nullptr; }

}  // namespace

void Generateur__Naissance() {
    Objet* g = ObjetCourant;
    if (g == nullptr) return;
    g->generateurMaitre() = -1;
    g->generateurReste() = 10;
    g->generateurTaille() = 0;
    g->generateurPeriode() = 50;
    g->generateurDelai() = 50;
    const Objet* b = g->direction >= 1 && g->direction < NOMBRE_OBJETS ? &TableObjets[g->direction] : nullptr;
    const DescriptionBatiment* d = DescriptionBatimentCourante;
    if (b == nullptr || d == nullptr) return;
    const int n = Batiment__NombreCodes(d);
    for (int c = 0; c < n; ++c) {
        if (d->codeObjet[c] != 2 || d->codeX[c] != g->x - b->x || d->codeY[c] != g->y - b->y) continue;
        const int m = d->codeParam1[c];
        if (!MaitreCharge(m)) return;
        g->generateurMaitre() = m;
        g->generateurTaille() = TableMaitres[m].taille;
        return;
    }
}

void Generateur__Gestion() {
    Objet* g = ObjetCourant;
    if (g == nullptr) return;
    if (g->generateurDelai() >= 1) {
        --g->generateurDelai();
        return;
    }
    g->generateurDelai() = g->generateurPeriode();
    if (!MaitreCharge(g->generateurMaitre()) || g->generateurReste() < 1) return;
    const int t = g->generateurTaille();
    if (!Univers__ZoneLibreUnites(g->x, g->y, t, t)) return;   // an occupied square waits, the count kept
    const int n = Unite__CreationSeule(g->generateurMaitre(), g->armee, g->x, g->y, 1);
    ObjetCourant = g;
    if (n == 0) return;
    Groupe__Initialise(TableObjets[n].groupe);
    ObjetCourant = g;
    if (--g->generateurReste() == 0) Objet__Mort(g->indice, 3);
}

void Generateur__CreationDecalee(int dx, int dy, int armee, int maitre, int direction, int batiment) {
    const Objet* b = ObjetVivant(batiment);
    if (b == nullptr) return;
    Unite__CreationSeule(maitre, armee, b->x + dx, b->y + dy, direction);
}

int Objet__DegatsContinus() {
    Objet* o = ObjetCourant;
    if (o == nullptr || (CompteurCycle20 & 1) != 0) return 0;
    if (o->degatsContinus == 0 || o->degatsContinus == IMMUNISE) return 0;
    // A dying object is past it: its death would start again every other frame.
    if (o->ordreSecondaire == 3 || o->ordreSecondaire == 4) return 0;
    o->pointsDeVie -= o->degatsContinus;
    if (o->pointsDeVie >= 1) return 0;
    o->pointsDeVie = 0;
    o->degatsContinus = 0;   // it ends with the death it brings
    return 1;
}

void Objet__DegatsContinusAnnule(int objet) {
    Objet* o = ObjetVivant(objet);
    if (o != nullptr && o->degatsContinus != IMMUNISE) o->degatsContinus = 0;
}

void Objet__DegatsContinusFixe(int v, int objet) {
    Objet* o = ObjetVivant(objet);
    if (o == nullptr || o->degatsContinus == IMMUNISE) return;
    int valeur = v + v * NiveauPoisonArmes * 10 / 100;
    // A byte: a large dose must not wrap round to none or to immune.
    if (valeur < 0) valeur = 0;
    if (valeur > IMMUNISE - 1) valeur = IMMUNISE - 1;
    o->degatsContinus = static_cast<uint8_t>(valeur);
}
