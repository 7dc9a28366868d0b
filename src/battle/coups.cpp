#include "battle/coups.h"

#include <algorithm>

#include "battle/generateurs.h"
#include "battle/impacts.h"
#include "battle/joueur_evenements.h"
#include "battle/projectiles.h"
#include "battle/sorts_auto.h"
#include "campaign/variables.h"
#include "editors/evenements.h"
#include "platform/hasard.h"
#include "shell/demarrage.h"
#include "shell/scenario.h"
#include "shell/trame.h"
#include "world/experience.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/maitres.h"
#include "world/mort.h"
#include "world/objets.h"

namespace {

constexpr int FAMILLE_HUMAIN = 0, FAMILLE_BATIMENT = 1, FAMILLE_DECORS = 2, FAMILLE_GRILLE = 26;
constexpr int MAITRE_CONVERTI = 18;
constexpr int N = TAILLE_UNIVERS;

bool SurCarte(int x, int y) { return x >= 0 && y >= 0 && x < N && y < N; }

// A live (or dying) object of the table; 0 and the free slots are not.
Objet* ObjetVivant(int i) {
    if (i < 1 || i >= NOMBRE_OBJETS || TableObjets[i].noeudListe == nullptr) return nullptr;
    return &TableObjets[i];
}

bool Mourant(const Objet& o) { return o.ordreSecondaire == 3; }
bool Actif(const Objet& o) { return o.actif == 1 || o.typeMaitre == 433; }
bool Maitre(const Objet& o, std::initializer_list<int> liste) {
    return std::find(liste.begin(), liste.end(), o.typeMaitre) != liste.end();
}
bool Cavalier(const Objet& o) { return Maitre(o, {7, 22, 14, 29}); }

// The experience and the gains by level beyond the first.
int Bonus(const Objet& a) { return a.degatsParNiveau * (a.niveau - 1); }

// Hit points lost are recorded; the stored value never goes below 0.
void Retirer(Objet& t, int degats) { t.pointsDeVie -= degats; }
void Plancher(Objet& t) {
    if (t.pointsDeVie < 0) t.pointsDeVie = 0;
}

void Icone(Objet& o, int icone) {
    o.icone = icone;
    o.ageIcone = 0;
}

}  // namespace

int Objet__ValeurCoup(const Objet& a) { return a.degats + Bonus(a); }

void Mort__Debut(Objet& v) {
    v.heureMort = v.heureEtat = static_cast<int32_t>(HorlogeJeu);
    v.image = 0;
    v.compteurEvenement = 0;
}

int Mort__Conversion(Objet& v, bool conversion) {
    if (!conversion || v.typeMaitre == MAITRE_CONVERTI || v.famille != FAMILLE_HUMAIN || v.taille != 1) return 0;
    if (v.typeMaitre == 300 || v.typeMaitre == 35 || v.typeMaitre == 197) return 0;
    if (v.typeMaitre >= 0 && v.typeMaitre < NOMBRE_TYPES_MAITRES) --PopulationParType[v.typeMaitre];
    // The converted body is counted as what it became, so that its death keeps the counts right.
    ++PopulationParType[MAITRE_CONVERTI];
    v.delaiMort() = v.typeMaitre;
    v.typeMaitre = MAITRE_CONVERTI;
    v.pointsDeVie = 50;
    v.regenerationVie = -1;
    return 1;
}

void Mort__Etapes(Objet& v, Objet* tueur, bool conversion, bool experience) {
    Mort__Debut(v);
    const bool converti = Mort__Conversion(v, conversion);
    // The death animation is chosen for what the victim was.
    if (converti) v.typeMaitre = v.delaiMort();
    EvenementMort(&v, tueur);
    if (converti) v.typeMaitre = MAITRE_CONVERTI;
    if (experience && tueur != nullptr) ExperienceGain(tueur->indice, v.indice, 0);
}

void EvenementCoupDegats(Objet* t, Objet* a) {
    if (t == nullptr || a == nullptr) return;
    if (t->armee == a->armee || t->famille == FAMILLE_BATIMENT || t->famille == FAMILLE_DECORS) return;
    const int avant = t->pointsDeVie;
    if (t->pointsDeVie >= 1 && t->modeArmure != 2 && Actif(*t) && !Mourant(*t)) {
        const int d = Objet__ValeurCoup(*a);
        switch (t->modeArmure) {
            case 1: Retirer(*t, d / 2); break;
            case 3: Retirer(*t, 3 * d); break;
            default: Retirer(*t, d); break;
        }
        t->touche = 1;
        if (t->pointsDeVie < 1) {
            Plancher(*t);
            t->degatsRecus += avant - t->pointsDeVie;
            Mort__Etapes(*t, a, true, true);
            return;
        }
    }
    t->degatsRecus += avant - t->pointsDeVie;
}

void EffetImpactDegats(Objet* t, Objet* p) {
    if (t == nullptr || p == nullptr) return;
    if (t->pointsDeVie <= 0 || t->modeArmure == 2 || t->famille == FAMILLE_BATIMENT || t->famille == FAMILLE_DECORS ||
        Mourant(*t) || t->actif != 1)
        return;
    const int d = Objet__ValeurCoup(*p);
    switch (t->modeArmure) {
        case 1: Retirer(*t, d / 3); break;
        case 3: Retirer(*t, 2 * d); break;
        default: Retirer(*t, d / 2); break;
    }
    t->touche = 1;
    if (t->pointsDeVie < 1) {
        Plancher(*t);
        Mort__Etapes(*t, p, true, false);
    }
}

void EvenementDegats(int cible, Objet* a, int mode) {
    Objet* pt = ObjetVivant(cible);
    if (pt == nullptr || a == nullptr) return;
    Objet& t = *pt;
    if (t.armee == a->armee && t.taille == a->taille) return;
    if (t.famille == FAMILLE_BATIMENT || t.famille == FAMILLE_DECORS) return;
    if (mode != 1 && mode != 5 && mode != 6 && mode != 7) mode = 0;
    if (t.pointsDeVie < 1 || !Actif(t) || Mourant(t)) return;   // nothing lost, nothing recorded

    const int avant = t.pointsDeVie;
    const int d = Objet__ValeurCoup(*a);
    int b = t.direction == a->direction ? a->degats * NiveauAttaqueTraitre * 10 / 100 : 0;
    if (Maitre(*a, {15, 30, 23}) && a->pointsDeVie < a->pointsDeVieMaximum * 20 / 100) {
        a->pointsDeVie += a->pointsDeVieMaximum / 5;
        b += a->degats * 30 / 100;
        Icone(*a, 2);
    }

    if (mode == 6) Retirer(t, Bonus(*a) + b + a->degats / 2);
    else Retirer(t, d + b);
    if (mode == 7) Retirer(t, (d + b) * 10);

    if (Maitre(*a, {32, 25})) {   // phalanx against riders
        if (a->armee == 0) ++AttaquesJoueur;
        if (Cavalier(t)) {
            if (NiveauPhalange <= 1) {
                Retirer(t, d + b);
                Icone(*a, 1);
            } else if (NiveauPhalange == 2) {
                Retirer(t, Bonus(*a) + b + 2 * a->degats);
                Icone(*a, 2);
            } else {
                Retirer(t, b + 3 * a->degats + Bonus(*a));
                Icone(*a, 3);
            }
            if (a->armee == 0) ++AttaquesAvantageJoueur;
        }
    }
    if (Cavalier(*a)) {   // riders against foot and bows
        if (a->armee == 0) ++AttaquesJoueur;
        if (t.classe == 3 || t.classe == 4) {
            if (NiveauCavalierLeger <= 1) {
                Retirer(t, d);
                Icone(*a, 1);
            } else if (NiveauCavalierLeger == 2) {
                Retirer(t, Bonus(*a) + 2 * a->degats);
                Icone(*a, 2);
            } else {
                Retirer(t, 3 * a->degats + Bonus(*a));
                Icone(*a, 3);
            }
            if (a->armee == 0) ++AttaquesAvantageJoueur;
        }
        if (NiveauCavalierLourd == 1) Retirer(t, Bonus(*a) + 2 * a->degats);
        if (NiveauChargeCavalerie == 1) Retirer(t, d);
    }

    if (mode == 1) Objet__DegatsContinusFixe(1, cible);
    else if (mode == 5) Retirer(t, d + b);

    if (t.typeMaitre == 262 && t.pointsDeVie < 1 && Hasard_Regles() % 100 > 70) t.pointsDeVie = 1;
    t.touche = 1;
    if (t.pointsDeVie < 1) {
        t.pointsDeVie = 0;
        t.degatsRecus += avant;
        Mort__Etapes(t, a, mode == 5 && t.modeArmure != 2, mode != 7);
        return;
    }
    t.degatsRecus += avant - t.pointsDeVie;
}

void EvenementCoupMelee(int cible, Objet* a, const EvenementConcret* e) {
    if (a == nullptr) return;
    if (!Maitre(*a, {132, 133, 134, 374}) || e == nullptr) {
        if (Objet* t = ObjetVivant(cible)) EvenementCoupDegats(t, a);
        return;
    }
    const int cx = a->x + e->caseX, cy = a->y + e->caseY;
    auto frapper = [&](const int32_t* grille, int x, int y) {
        if (grille == nullptr || !SurCarte(x, y)) return;
        if (Objet* t = ObjetVivant(grille[x + N * y])) EvenementCoupDegats(t, a);
    };
    switch (a->direction) {
        case 0: case 2: case 4: case 6:
            for (int k : {0, 1, -1})
                for (int i = 0; i < 4; ++i) {
                    switch (a->direction) {
                        case 0: frapper(GrilleUnites, cx + k, cy - i); break;
                        case 2: frapper(GrilleUnites, cx + i, cy + k); break;
                        case 4: frapper(GrilleUnites, cx + k, cy + i); break;
                        default: frapper(GrilleUnites, cx - i, cy + k); break;
                    }
                }
            break;
        case 1: case 3: case 5: case 7: {
            const int sx = a->direction == 1 || a->direction == 3 ? 1 : -1;
            const int sy = a->direction == 3 || a->direction == 5 ? 1 : -1;
            int x = cx, y = cy;
            for (int pas = 0; pas < 3; ++pas) {
                const int cases[5][2] = {{x, y}, {x, y + sy}, {x - sx, y + sy}, {x + sx, y}, {x + sx, y - sy}};
                for (const auto& c : cases) {
                    frapper(GrilleUnites, c[0], c[1]);
                    frapper(GrilleAir, c[0], c[1]);
                }
                x += sx;
                y += sy;
            }
            break;
        }
        default: break;
    }
}

void EvenementAttaqueSpeciale(int cible, Objet* h, const EvenementConcret* e, double s) {
    Objet* pt = ObjetVivant(cible);
    if (pt == nullptr || h == nullptr || h->typeMaitre == 371) return;
    Objet& t = *pt;
    if (Joueur__Relation(t.armee, h->armee) == 0 && t.pointsDeVie >= 1 && t.actif == 1 && !Mourant(t)) {
        t.pointsDeVie += Objet__ValeurCoup(*h);
        Objet__DegatsContinusAnnule(cible);
        t.touche = 1;
        if (const int m = Unite__CreationSeule(370, h->armee, t.x, t.y, 0)) {
            Objet& porte = TableObjets[m];
            const int dx = e ? e->caseX : 0, dy = e ? e->caseY : 0;
            ProjectileLancer(static_cast<int>((h->x + dx + s) * 24), static_cast<int>((h->y + dy + s) * 24),
                             static_cast<int>((t.x + s) * 24), static_cast<int>((t.y + s) * 24), 0, t.couche, 3,
                             porte.degats, 1);
            if (Projectile* p = ProjectileQueue) {
                p->objetLie = &porte;
                p->tireur = h->indice;
                p->niveau = h->niveau;
                p->degatsParNiveau = h->degatsParNiveau;
                // The trace favours the healer's side, as the heal spell's does.
                p->armee = h->armee;
                p->pas = p->nbPas;   // resolved where it starts, on the next pass
            }
            porte.cible = h->cible;
        }
    }
    if (t.pointsDeVie > t.pointsDeVieMaximum) t.pointsDeVie = t.pointsDeVieMaximum;
}

void EvenementMort(Objet* v, Objet* tueur) {
    if (v == nullptr) return;
    const int r = Hasard_Regles() % 20;
    const int k = tueur ? tueur->typeMaitre : -1;
    if (v->actif == 1 && !Mourant(*v) && v->typeMaitre != MAITRE_CONVERTI) {
        v->ordreSecondaire = 3;
        if (k == 8 || k == 12 || k == 120) v->animation = 19;
        else if (k == 41 || k == 121) v->animation = 17;
        else if (v->typeMaitre == 300 || v->typeMaitre == 301) v->animation = (Hasard_Regles() & 1) == 0 ? 19 : 18;
        else v->animation = r < 15 ? 18 : r < 18 ? 19 : 17;
    } else {
        v->animation = 18;
    }
    if (ControleParental) v->animation = 18;
    if (v->famille == FAMILLE_GRILLE) {
        EffetImpactAjouter(nullptr, 15, v->x + 1, v->y + 1, -1, 15);
        EtatGrille = 0;
        Objet__Mort(v->indice, 2);
        EtatGrille = 1;
        BrecheOuverte = 1;
        GrillePresente = 0;
    }
    Objet__RazAnimation(v);
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

int Unite__CreationSeule(int maitre, int armee, int x, int y, int direction) {
    if (maitre < 0 || maitre >= NombreMaitres || maitre >= NOMBRE_TYPES_MAITRES || NomsMaitres[maitre] == nullptr) return 0;
    if (!SurCarte(x, y)) return 0;
    // A full table would end the program: the newcomer is left out instead.
    if (NombreGroupes >= 1497 || Liste__Vide(ListeGroupesLibres)) return 0;
    if (NombreObjets >= NOMBRE_OBJETS - 2 || Liste__Vide(ListeObjetsLibres)) return 0;
    const int g = Groupe___Creation(maitre, armee, x, y, 1, 1, direction);
    if (!Groupe__Actif(g) || TableGroupes[g].nbMembres < 1) return 0;
    return TableGroupes[g].membres[0];
}
