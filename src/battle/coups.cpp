#include "battle/coups.h"

#include "shell/trame.h"
#include "world/maitres.h"
#include "world/objets.h"

namespace {

int Frappe(const Objet& a) { return a.degats + a.degatsParNiveau * (a.niveau - 1); }

void Abattre(Objet& t, int animation) {
    t.pointsDeVie = 0;
    t.heureMort = t.heureEtat = static_cast<int32_t>(HorlogeJeu);
    t.image = 0;
    t.compteurEvenement = 0;
    t.ordreSecondaire = 3;
    t.animation = animation;
    Objet__RazAnimation(&t);
}

}  // namespace

void EvenementCoupDegats(Objet* t, Objet* a) {
    if (t == nullptr || a == nullptr || t->armee == a->armee || t->famille == 1 || t->famille == 2) return;
    const int avant = t->pointsDeVie;
    if (t->pointsDeVie >= 1 && t->modeArmure != 2 && t->actif && t->ordreSecondaire != 3) {
        const int d = Frappe(*a);
        t->pointsDeVie -= t->modeArmure == 1 ? d / 2 : t->modeArmure == 3 ? 3 * d : d;
        t->touche = 1;
        if (t->pointsDeVie < 1) Abattre(*t, 18);
    }
    t->degatsRecus += avant - t->pointsDeVie;
}

void EffetImpactDegats(Objet* t, Objet* p) {
    if (t == nullptr || p == nullptr) return;
    if (t->pointsDeVie <= 0 || t->modeArmure == 2 || t->famille == 1 || t->famille == 2 || t->ordreSecondaire == 3 ||
        !t->actif)
        return;
    const int d = Frappe(*p);
    t->pointsDeVie -= t->modeArmure == 1 ? d / 3 : t->modeArmure == 3 ? 2 * d : d / 2;
    t->touche = 1;
    if (t->pointsDeVie < 1) Abattre(*t, 18);
}

int Objet__RazAnimation(Objet* o) {
    if (o == nullptr) return -1;
    switch (o->famille) {
        case 1: case 2: case 3: case 4: case 10: case 11: case 20: case 26: return -1;
        default: break;
    }
    if (o->animations == nullptr || o->animation < 0 || o->animation >= NOMBRE_ANIMATIONS) return -1;
    if (o->animations[o->animation].directions == 4) {
        o->direction /= 2;
        o->image = 0;
        o->compteurEvenement = -1;
    }
    return -1;
}
