#include "battle/coups.h"

#include <cstddef>

#include "shell/trame.h"
#include "world/groupes.h"
#include "world/maitres.h"
#include "world/objets.h"

namespace {

constexpr int MAITRE_CONVERTI = 18;

int Frappe(const Objet& a) { return a.degats + a.degatsParNiveau * (a.niveau - 1); }

void Abattre(Objet& t) {
    t.pointsDeVie = 0;
    Mort__Debut(t);
    t.ordreSecondaire = 3;
    t.animation = 18;
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
        if (t->pointsDeVie < 1) Abattre(*t);
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
    if (t->pointsDeVie < 1) Abattre(*t);
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

void Mort__Debut(Objet& v) {
    v.heureMort = v.heureEtat = static_cast<int32_t>(HorlogeJeu);
    v.image = 0;
    v.compteurEvenement = 0;
}

int Mort__Conversion(Objet& v, bool conversion) {
    if (!conversion || v.typeMaitre == MAITRE_CONVERTI || v.famille != 0 || v.taille != 1) return 0;
    if (v.typeMaitre == 300 || v.typeMaitre == 35 || v.typeMaitre == 197) return 0;
    if (v.typeMaitre >= 0 && v.typeMaitre < NOMBRE_TYPES_MAITRES) --PopulationParType[static_cast<size_t>(v.typeMaitre)];
    ++PopulationParType[MAITRE_CONVERTI];
    v.delaiMort() = v.typeMaitre;
    v.typeMaitre = MAITRE_CONVERTI;
    v.pointsDeVie = 50;
    v.regenerationVie = -1;
    return 1;
}

int Unite__CreationSeule(int maitre, int armee, int x, int y, int direction) {
    if (maitre < 0 || maitre >= NombreMaitres || maitre >= NOMBRE_TYPES_MAITRES ||
        NomsMaitres[static_cast<size_t>(maitre)] == nullptr)
        return 0;
    if (x < 0 || x >= 128 || y < 0 || y >= 128) return 0;
    // A full table would end the program: the newcomer is left out instead.
    if (NombreGroupes >= 1497 || Liste__Vide(ListeGroupesLibres)) return 0;
    if (NombreObjets >= NOMBRE_OBJETS - 2 || Liste__Vide(ListeObjetsLibres)) return 0;
    const int g = Groupe___Creation(maitre, armee, x, y, 1, 1, direction);
    if (!Groupe__Actif(g) || TableGroupes[static_cast<size_t>(g)].nbMembres < 1) return 0;
    return TableGroupes[static_cast<size_t>(g)].membres[0];
}
