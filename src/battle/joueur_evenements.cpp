#include "battle/joueur_evenements.h"

#include <set>
#include <utility>

#include "battle/coups.h"
#include "battle/formations.h"
#include "battle/humains.h"
#include "battle/projectiles.h"
#include "battle/sorts_actions.h"
#include "campaign/variables.h"
#include "editors/evenements.h"
#include "foundation/erreurs.h"
#include "foundation/son.h"
#include "platform/hasard.h"
#include "scene/eclairs.h"
#include "scene/particules.h"
#include "shell/demarrage.h"
#include "shell/trame.h"
#include "world/batiments.h"
#include "world/grilles.h"
#include "world/maitres.h"
#include "world/mort.h"
#include "world/niveau.h"
#include "world/objets.h"

int32_t SortsLancesJoueur = 0;
int32_t AttaquesJoueur = 0;
int32_t AttaquesAvantageJoueur = 0;

namespace {

constexpr int N = TAILLE_UNIVERS;
constexpr int FAMILLE_PROJECTILE = 4, FAMILLE_CADAVRE = 13, FAMILLE_GRILLE = 26;
constexpr int CLASSE_MAGICIEN = 0, CLASSE_GUERRIER = 3, CLASSE_ARCHER = 4, CLASSE_DEMON = 7, CLASSE_CATAPULTE = 9,
              CLASSE_ANGE = 21, CLASSE_FORTIFICATION = 25;

bool SurCarte(int x, int y) { return x >= 0 && y >= 0 && x < N && y < N; }

Objet* ObjetVivant(int i) {
    if (i < 1 || i >= NOMBRE_OBJETS || TableObjets[i].noeudListe == nullptr) return nullptr;
    return &TableObjets[i];
}

// A question box per cause and value, once: a frame that repeats the fault every tick would
// otherwise flood the player.
bool PremiereFois(int cause, int valeur) {
    static std::set<std::pair<int, int>> vus;
    return vus.insert({cause, valeur}).second;
}

void Emettre(EffetParticule* effet, int plan, int x, int y, int dx, int dy) {
    if (effet == nullptr) return;
    switch (plan) {
        case 0: Particules_Emission(effet, PlanParticules0.data(), CAPACITE_PLAN_PARTICULES, &NombreParticules0, x, y, 0, dx, dy, -1); break;
        case 1: Particules_Emission(effet, PlanParticules1.data(), CAPACITE_PLAN_PARTICULES, &NombreParticules1, x, y, 1, dx, dy, -1); break;
        case 2: Particules_Emission(effet, PlanParticules2.data(), CAPACITE_PLAN_PARTICULES, &NombreParticules2, x, y, 2, dx, dy, -1); break;
        default: break;
    }
}

bool Sang(const EffetParticule* e) {
    return e != nullptr && (e == EffetSang1 || e == EffetSang2 || e == EffetSang3 || e == EffetSang4);
}

void Visuel(Objet& o, EvenementVisuel& v, int origineX, int origineY) {
    const int px = origineX + v.ecartX, py = origineY + v.ecartY;
    switch (v.plan) {
        case 0:
            if (ControleParental) return;
            if (o.typeMaitre == 368) {
                Emettre(v.effet, 0, o.pixelX + v.ecartX - ReperePixelX, o.pixelY + v.ecartY - ReperePixelY, v.directionX,
                        v.directionY);
                return;
            }
            if (Sang(v.effet)) {
                EffetParticule* const sangs[4] = {EffetSang1, EffetSang2, EffetSang3, EffetSang4};
                v.effet = sangs[Hasard_Visuel() & 3];   // the record keeps the choice
            }
            if (o.typeMaitre != 18) Emettre(v.effet, 0, px, py, v.directionX, v.directionY);
            return;
        case 1:
            if (o.typeMaitre == 371) {
                if (v.effet != nullptr && v.effet == EffetBenediction) {
                    Emettre(v.effet, 1, px, py, v.directionX, v.directionY);
                    const int n = o.y * 24 / 64 + 1;
                    for (int k = 1; k <= n; ++k) Emettre(EffetBenedictionFin, 1, px, py - 64 * k, v.directionX, v.directionY);
                } else if (v.effet != nullptr && v.effet == EffetBenediction2) {
                    const int cx = px / 24 + RepereX, cy = py / 24 + RepereY;
                    if (!SurCarte(cx, cy)) return;
                    const int i = cx + N * cy;
                    if ((GrilleUnites && GrilleUnites[i] != 0) || (GrilleAir && GrilleAir[i] != 0))
                        Emettre(v.effet, 2, px + 5, py - 12, v.directionX, v.directionY);
                }
                return;
            }
            if (o.typeMaitre == 368) {
                // Its own pixel position, placed on the screen like its plan-0 events.
                Emettre(v.effet, 1, o.pixelX + v.ecartX - ReperePixelX, o.pixelY + v.ecartY - ReperePixelY, v.directionX,
                        v.directionY);
                return;
            }
            Emettre(v.effet, 1, px, py, v.directionX, v.directionY);
            return;
        case 2: Emettre(v.effet, 2, px, py, v.directionX, v.directionY); return;
        default: return;
    }
}

// The next entry of the enemy list, going back to entry 0 after dernierEnnemi; null when the entry
// names no object.
Objet* Suivant(const Objet& o, int& entree) {
    if (o.listeEnnemis == nullptr || o.dernierEnnemi < 0) return nullptr;
    const int fin = o.dernierEnnemi < 40 ? o.dernierEnnemi : 39;
    if (entree > fin) entree = 0;
    return ObjetVivant(o.listeEnnemis[entree++]);
}

void Tireur(const Objet& o) {
    if (Projectile* p = ProjectileQueue) {
        p->tireur = o.indice;
        p->niveau = o.niveau;
        p->degatsParNiveau = o.degatsParNiveau;
    }
}

int Altitude(int x, int y) {
    if (GrilleAltitude == nullptr || !SurCarte(x, y)) return 0;
    return GrilleAltitude[(y / 4) * 32 + x / 4];
}

// The shot of kind 3; true when it consumed the following event.
bool Tir(Objet& o, const EvenementConcret& e, const EvenementConcret* suivant, int h) {
    Objet* pc = ObjetVivant(o.cible);
    if (pc == nullptr) return false;
    Objet& c = *pc;
    const int ht = 12 * c.taille;
    switch (o.classe) {
        case CLASSE_ARCHER: {
            int f = 0, a = 0;
            if (GrilleSelection != nullptr && SurCarte(o.x, o.y)) {
                const Objet* fort = ObjetVivant(GrilleSelection[o.x + N * o.y]);
                if (fort != nullptr && fort->classe == CLASSE_FORTIFICATION) {
                    f = 2 * o.degats;
                    o.icone = 4;
                    o.ageIcone = 0;
                }
            }
            const int d = Altitude(o.x, o.y) - Altitude(c.x, c.y);
            if (d > 0) {
                a = d * o.degats / 2;
                o.icone = d;
                o.ageIcone = 0;
            }
            const int degats = o.degats + a + f;
            if (o.typeMaitre == 16 || o.typeMaitre == 27 || o.typeMaitre == 264) {
                static const int decalage[8][2] = {{0, -48}, {48, -48}, {48, 0}, {48, 48},
                                                   {0, 48},  {-48, 48}, {-48, 0}, {-48, -48}};
                const int dir = o.direction & 7;
                const int lx = o.x * 24 + h + decalage[dir][0], ly = o.y * 24 + h + decalage[dir][1];
                int entree = 0;
                for (int n = 0; n < 9; ++n) {
                    Objet* t = Suivant(o, entree);
                    if (t == nullptr) continue;
                    ProjectileLancer(lx, ly, t->x * 24 + 12 * t->taille, t->y * 24 + 12 * t->taille, 0, t->couche, 0,
                                     degats, 0);
                    Tireur(o);
                }
                return false;
            }
            if (o.armee == 0) {
                ++AttaquesJoueur;
                if (a != 0 || f != 0 || c.couche == 2) ++AttaquesAvantageJoueur;
            }
            int variante = 0;
            if (suivant != nullptr && suivant->type == 1 && NiveauPoisonArmes != 0) variante = 1;
            else if (suivant != nullptr && suivant->type == 5 && NiveauProjectilesEnflammes != 0) variante = 5;
            ProjectileLancer(o.x * 24 + h, o.y * 24 + h, c.x * 24 + ht, c.y * 24 + ht, 0, c.couche, 0, degats, variante);
            Tireur(o);
            return suivant != nullptr;
        }
        case CLASSE_DEMON: {
            if (o.typeMaitre != 36) return false;
            const int s = o.taille / 2;
            int entree = 0;
            for (int n = 0; n < 3; ++n) {
                Objet* t = Suivant(o, entree);
                if (t == nullptr) continue;
                ProjectileLancer((o.x + e.caseX + s) * 24, (o.y + e.caseY + s) * 24, (t->x + s) * 24, (t->y + s) * 24, 0,
                                 t->couche, 2, 100, 1);
                Tireur(o);
            }
            return false;
        }
        case CLASSE_CATAPULTE: {
            static const int depart[16][2] = {{16, 24}, {16, 24}, {0, 24},   {16, 32},  {16, 24},  {0, 16},
                                              {0, -16}, {-8, -24}, {16, -24}, {48, -24}, {32, -16}, {24, 24},
                                              {16, 24}, {16, 32},  {24, 24},  {16, 24}};
            const int dir = o.direction & 15;
            int ax = ht, ay = ht;
            if (c.classe == CLASSE_FORTIFICATION) {
                ax = c.famille == FAMILLE_GRILLE ? 36 : 48;
                ay = c.famille == FAMILLE_GRILLE ? 36 : 144;
            }
            ProjectileLancer((o.x + e.caseX) * 24 + depart[dir][0], (o.y + e.caseY) * 24 + depart[dir][1], c.x * 24 + ax,
                             c.y * 24 + ay, 0, c.couche, 18, 100, 0);
            if (ProjectileQueue) ProjectileQueue->tireur = o.indice;
            return false;
        }
        case CLASSE_ANGE: {
            int entree = 0;
            for (int n = 0; n < 3; ++n) {
                Objet* t = Suivant(o, entree);
                if (t == nullptr) continue;
                for (int b = 0; b < 2; ++b) Eclair__Creation(o.x * 24 + h + 8, o.y * 24 + h - 36, 4, t->indice, o.indice);
            }
            return false;
        }
        default: return false;
    }
}

// Plays one concrete event; true when it consumed the following one.
bool Concret(Objet& o, const EvenementConcret& e, const EvenementConcret* suivant, int h) {
    const int cx = o.x + e.caseX, cy = o.y + e.caseY;
    if (!SurCarte(cx, cy)) return false;
    if (o.cible < 1 && e.type != 8) return false;
    int t = 0;
    if (o.cible >= 1) {
        const Objet* c = ObjetVivant(o.cible);
        if (c == nullptr && e.type != 8) return false;   // a target that is gone is struck no more
        const int32_t* grille = c != nullptr && c->couche == 2 ? GrilleAir : GrilleUnites;
        t = c != nullptr && grille ? grille[cx + N * cy] : 0;
    }
    switch (e.type) {
        case 0:
            if (t != 0) EvenementAttaqueSpeciale(t, &o, &e, o.taille / 2.0);
            return false;
        case 2: EvenementAnimationMort(&o); return false;
        case 3: return Tir(o, e, suivant, h);
        case 5: EvenementCoupMelee(t, &o, &e); return false;
        case 6: {
            if (t == 0) return false;
            int mode = 0;
            bool consomme = false;
            if (suivant != nullptr && suivant->type == 1) {
                mode = NiveauPoisonArmes != 0 ? 1 : 0;
                consomme = true;
            } else if (suivant != nullptr && suivant->type == 5) {
                mode = 5;
                consomme = true;
            }
            EvenementDegats(t, &o, mode);
            return consomme;
        }
        case 8: Son__JoueEnPosition(e.sons[Hasard_Visuel() & 3], o.x, o.y); return false;
        case 9:
            if (o.mourant == 0 && o.ordreSecondaire != 3) Sort__ActionEvenement(&o, &e);
            return false;
        default: return false;
    }
}

}  // namespace

int PlayerEvenement(Objet* po) {
    if (po == nullptr) return -1;
    Objet& o = *po;
    if (o.famille == FAMILLE_PROJECTILE && o.ordreSecondaire != 3) o.animation = 0;
    if (o.compteurEvenement >= o.image) return -1;
    if (o.animation < 0 || o.animation >= NOMBRE_ANIMATIONS) {
        // Nothing can be read for it: reported once for the master, and nothing is played.
        if (o.animation == -1 && PremiereFois(0, o.typeMaitre))
            Erreur_Question("PlayerEvenement", "Animation à -1 pour objet de type %d", o.typeMaitre);
        return -1;
    }
    if (o.animations == nullptr || o.image >= o.animations[o.animation].images) return -1;

    if (o.enIncantation == 1) {
        o.cible = o.cibleSort;
        o.animation = o.action == 15 ? 12 : 13;
        if (o.cibleSort == -1) {
            o.cible = o.indice;
        } else if (const Objet* c = ObjetVivant(o.cibleSort)) {
            const int px = o.prochaineCaseX, py = o.prochaineCaseY;
            o.prochaineCaseX = c->x;
            o.prochaineCaseY = c->y;
            Objet* courant = ObjetCourant;
            ObjetCourant = &o;
            Objet__OrientationCible();
            ObjetCourant = courant;
            o.prochaineCaseX = px;
            o.prochaineCaseY = py;
        }
    }

    ++o.compteurEvenement;
    const int images = o.animations[o.animation].images;
    if (o.enIncantation == 1 && o.compteurEvenement >= images - 1) {
        o.enIncantation = 0;
        o.action = 0;
    }

    if (o.typeMaitre < 0 || o.typeMaitre >= NOMBRE_TYPES_MAITRES) return -1;
    const TableEvenements* table = TableMaitres[o.typeMaitre].evenements;
    const int a = o.animation, f = o.compteurEvenement;
    if (o.direction < 0 || o.direction >= o.animations[a].directions) return -1;
    // The table keeps the sizes it was read with; nothing past them is read.
    if (table == nullptr || table->animations[a] == nullptr || o.direction >= table->directions[a] || f < 0 ||
        f >= table->images[a])
        return -1;
    const EvenementsImage* images_ = table->animations[a][o.direction];
    if (images_ == nullptr) return -1;
    // Where the frame's events play: the turn towards a spell's target above moves nothing.
    static const int origines[5][2] = {{8, 0}, {20, 12}, {32, 24}, {44, 36}, {56, 48}};
    const bool petit = o.taille >= 0 && o.taille <= 4;
    const int ox = petit ? origines[o.taille][0] : 0, oy = petit ? origines[o.taille][1] : 0;
    const int origineX = (o.x - RepereX) * 24 + o.decalageX + ox;
    const int origineY = (o.y - RepereY) * 24 + o.decalageY + oy;
    const int h = petit ? 12 * o.taille : 0;
    EvenementVisuel* v = images_[f].visuels;
    const EvenementConcret* c = images_[f].concrets;
    while (v != nullptr || c != nullptr) {
        if (v != nullptr) {
            Visuel(o, *v, origineX, origineY);
            v = v->suivant;
        }
        if (c != nullptr) {
            const EvenementConcret* suivant = c->suivant;
            if (Concret(o, *c, suivant, h) && suivant != nullptr) suivant = suivant->suivant;
            c = suivant;
        }
    }
    return -1;
}

void EvenementAnimationMort(Objet* po) {
    if (po == nullptr) return;
    Objet& o = *po;
    if ((o.classe != CLASSE_MAGICIEN && o.classe != CLASSE_ARCHER) || o.action != 4) return;
    if (o.listeEnnemis == nullptr) return;
    const int armee = o.armee == 0 ? 5 : o.armee;
    // Only the entries the list holds now: older ones may name corpses long gone.
    const int fin = o.dernierEnnemi < 40 ? o.dernierEnnemi : 39;
    for (int i = 0; i <= fin; ++i) {
        Objet* corps = ObjetVivant(o.listeEnnemis[i]);
        if (corps == nullptr || corps->famille != FAMILLE_CADAVRE || corps->ordreSecondaire == 4) continue;
        const int cx = corps->x, cy = corps->y;
        if (SurCarte(cx, cy) && GrilleUnites != nullptr && GrilleUnites[cx + N * cy] == 0) {
            const int mort = corps->maitreCadavre();
            const int classe = mort >= 0 && mort < NOMBRE_TYPES_MAITRES ? TableMaitres[mort].classe : -1;
            int maitre = -1;
            if (classe == CLASSE_GUERRIER) maitre = 267;
            else if (classe == CLASSE_ARCHER) maitre = 265;
            else if (PremiereFois(1, classe))
                Erreur_Question("Animation Mort", "Attention classe non prise en compte : %d", classe);
            if (maitre != -1) {
                if (const int n = Unite__CreationSeule(maitre, armee, cx, cy, o.direction))
                    Groupe__Initialise(TableObjets[n].groupe);
            }
        }
        Objet__Mort(corps->indice, 3);
    }
}
