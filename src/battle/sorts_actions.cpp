#include "battle/sorts_actions.h"

#include "battle/coups.h"
#include "battle/formations.h"
#include "battle/impacts.h"
#include "battle/joueur_evenements.h"
#include "battle/projectiles.h"
#include "battle/sorts_auto.h"
#include "editors/evenements.h"
#include "foundation/journal.h"
#include "foundation/son.h"
#include "platform/hasard.h"
#include "scene/eclairs.h"
#include "scene/particules.h"
#include "shell/conditions.h"
#include "shell/trame.h"
#include "world/experience.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/maitres.h"
#include "world/objets.h"

const std::array<int32_t, 25> CoutActionSort = {1,  2,  20, 15, 30, 60, 20, 40, 70, 30, 100, 10, 30,
                                                80, 100, 75, 15, 20, 20, 90, 80, 80, 5,  5,  20};
int32_t CreaturesInvoqueesJoueur = 0;
char TexteInvocationRebelle[256] = "Une créature invoquée se retourne contre vous !";

namespace {

constexpr int N = TAILLE_UNIVERS;

bool SurCarte(int x, int y) { return x >= 0 && y >= 0 && x < N && y < N; }

Objet* ObjetVivant(int i) {
    if (i < 1 || i >= NOMBRE_OBJETS || TableObjets[i].noeudListe == nullptr) return nullptr;
    return &TableObjets[i];
}

void Experience(Objet& o, int n) {
    o.experience += n;
    if (o.armee == 0) ExperienceBatailleJoueur += n;
}
void ManaFixee(Objet& o) { o.mana = CoutActionSort[static_cast<size_t>(o.action)]; }
void ManaDepensee(Objet& o) { o.mana -= CoutActionSort[static_cast<size_t>(o.action)]; }

void Lancer(Objet& o, const Objet& t, const EvenementConcret* e, int genre, int degats) {
    const int s = o.taille / 2;
    const int dx = e ? e->caseX : 0, dy = e ? e->caseY : 0;
    ProjectileLancer((o.x + dx + s) * 24, (o.y + dy + s) * 24, (t.x + s) * 24, (t.y + s) * 24, 0, t.couche, genre, degats, 1);
    if (Projectile* p = ProjectileQueue) {
        p->tireur = o.indice;
        p->niveau = o.niveau;
        p->degatsParNiveau = o.degatsParNiveau;
    }
}

// Four cells of a free 2 x 2 block near the caster, reserved with the value 1; false when none
// was found in 800 tries.
bool BlocElementaire(const Objet& o, int* bx, int* by) {
    if (GrilleUnites == nullptr) return false;
    for (int essai = 0; essai < 800; ++essai) {
        const int dx = Hasard_Regles() % 20 - 10;
        const int dy = Hasard_Regles() % 20 - 10;
        const int x = o.x + dx, y = o.y + dy;
        if (!SurCarte(x, y) || !SurCarte(x + 1, y + 1)) continue;
        int32_t* c = &GrilleUnites[x + N * y];
        if (c[0] != 0 || c[1] != 0 || c[N] != 0 || c[N + 1] != 0) continue;
        c[0] = c[1] = c[N] = c[N + 1] = 1;
        *bx = x;
        *by = y;
        return true;
    }
    return false;
}

void LibererBloc(int x, int y) {
    int32_t* c = &GrilleUnites[x + N * y];
    for (int32_t* p : {c, c + 1, c + N, c + N + 1})
        if (*p == 1) *p = 0;
}

bool CaseLibre(const int32_t* grille, int x, int y) { return grille != nullptr && SurCarte(x, y) && grille[x + N * y] == 0; }

// Moves the caster to (x, y) on the unit grid.
void Deplacer(Objet& o, int x, int y) {
    Univers__LiberationUnites(o.indice);
    o.x = x;
    o.y = y;
    Univers__OccupationUnites(o.indice);
}

bool Teleportation(Objet& o) {
    if (o.dernierEnnemi != -1 && o.listeEnnemis != nullptr && o.dernierEnnemi >= 0 && o.dernierEnnemi < 40)
        o.cibleSort = o.listeEnnemis[o.dernierEnnemi];
    if (o.cibleSort == -1) return false;
    const Objet* t = ObjetVivant(o.cibleSort);
    if (t == nullptr) return false;
    int nx = -1, ny = -1;
    if (o.typeMaitre == 38 || o.typeMaitre == 376) {
        for (int j = -1; j <= 1 && nx < 0; ++j)
            for (int i = -1; i <= 1; ++i)
                if (CaseLibre(GrilleUnites, t->x + i, t->y + j)) {
                    nx = t->x + i;
                    ny = t->y + j;
                    break;
                }
        if (nx < 0) return false;
        EffetImpactAjouter(nullptr, 11, o.x, o.y, -1, 10);
        EffetImpactAjouter(nullptr, 22, nx, ny, -1, 10);
    } else if (o.typeMaitre == 262) {
        for (int j = -2; j <= 1 && nx < 0; ++j)
            for (int i = -2; i <= 1; ++i)
                if (CaseLibre(GrilleUnites, t->x + i, t->y + j)) {
                    nx = t->x + i;
                    ny = t->y + j;
                    break;
                }
        if (nx < 0) return false;
        Particules_Emission(EffetAccumul, PlanParticules1.data(), CAPACITE_PLAN_PARTICULES, &NombreParticules1,
                            (o.x - RepereX) * 24, (o.y - RepereY) * 24, 1, 0, 0, -1);
        Particules_Emission(EffetFury, PlanParticules1.data(), CAPACITE_PLAN_PARTICULES, &NombreParticules1,
                            (nx - RepereX) * 24, (ny - RepereY) * 24, 1, 0, 0, -1);
    } else {
        return false;
    }
    Deplacer(o, nx, ny);
    o.ordreSecondaire = 1;
    o.cible = o.cibleSort;
    ManaDepensee(o);
    Groupe__Initialise(o.groupe);
    return true;
}

// The first free cell of the scan round the centre; false for none.
template <typename Lignes, typename Colonnes>
bool Balayer(const int32_t* grille, int cx, int cy, const Lignes& lignes, const Colonnes& colonnes, int* x, int* y) {
    for (int dy : lignes)
        for (int dx : colonnes)
            if (CaseLibre(grille, cx + dx, cy + dy)) {
                *x = cx + dx;
                *y = cy + dy;
                return true;
            }
    return false;
}

int Invoquer(const Objet& o, int maitre, int armee, int x, int y) {
    const int n = Unite__CreationSeule(maitre, armee, x, y, o.direction);
    if (n == 0) return 0;
    TableObjets[n].categorie = o.categorie;
    Groupe__Initialise(TableObjets[n].groupe);
    return n;
}

void Invocation(Objet& o, const Objet& t) {
    const int cx = t.x + 10, cy = t.y + 5;
    const int armee = o.armee == 0 ? 5 : o.armee;
    int x = 0, y = 0;
    static const int lignesAir[] = {-3, -1, 1}, colonnesAir[] = {-5, -2, 1, 4};
    if (Balayer(GrilleAir, cx, cy, lignesAir, colonnesAir, &x, &y)) {
        int camp = o.armee;
        bool rebelle = false;
        if (o.armee == 0) {
            if (Hasard_Regles() % 10 < 9) {
                camp = 5;
            } else {
                camp = 5;
                for (int r = 0; r <= 3; ++r)
                    if (TableAttaque[static_cast<size_t>(r)][0] != 0) {
                        camp = r;
                        rebelle = true;
                        break;
                    }
            }
        }
        if (const int n = Invoquer(o, 36, camp, x, y)) {
            if (rebelle) Messages_Ajout(TexteInvocationRebelle, 4);
            if (o.armee == 0) ++CreaturesInvoqueesJoueur;
            Objet& c = TableObjets[n];
            c.animation = 20;
            c.action = 16;
            c.regenerationVie = -10;
            if (VoixAttaque[36][0] != 0) Son__Joue(VoixAttaque[36][static_cast<size_t>(Hasard_Visuel() & 3)]);
        }
    }
    std::array<int, 23> lignes{};
    for (int i = 0; i < 23; ++i) lignes[static_cast<size_t>(i)] = i - 4;
    std::array<int, 11> colonnes{};
    for (int i = 0; i < 11; ++i) colonnes[static_cast<size_t>(i)] = -7 + 2 * i;
    const int maitres[6] = {38, 37, 37, 37, 37, 37};
    for (int m : maitres) {
        if (!Balayer(GrilleUnites, cx, cy, lignes, colonnes, &x, &y)) break;
        if (const int n = Invoquer(o, m, armee, x, y)) TableObjets[n].regenerationVie = -5;
        else break;
    }
}

void Gel(const Objet& o, const Objet& t) {
    if (GrilleUnites == nullptr) return;
    for (int j = -2; j <= 1; ++j)
        for (int i = -2; i <= 1; ++i) {
            if (i * i + j * j > 4 || !SurCarte(t.x + i, t.y + j)) continue;
            const Objet* v = ObjetVivant(GrilleUnites[t.x + i + N * (t.y + j)]);
            if (v == nullptr || Joueur__Relation(o.armee, v->armee) == 0) continue;
            if (!Groupe__Actif(v->groupe)) continue;
            const Groupe& g = TableGroupes[static_cast<size_t>(v->groupe)];
            for (int k = 0; k < g.nbMembres; ++k)
                if (Objet* m = ObjetVivant(g.membres[k])) m->gel = 100;
        }
}

}  // namespace

void Sort__ActionEvenement(Objet* po, const EvenementConcret* e) {
    if (po == nullptr) return;
    Objet& o = *po;
    if (o.mourant != 0 || o.ordreSecondaire == 3) return;
    if (o.armee == 0) ++SortsLancesJoueur;
    if (o.action < 0 || o.action > 24) return;

    // The spell's target; a cast with none (or one that is gone) falls on the caster.
    const bool parCible = o.action == 2 || o.action == 3 || o.action == 7 || o.action == 9;
    Objet* pt = ObjetVivant(parCible ? o.cible : o.cibleSort);
    Objet& t = pt ? *pt : o;
    const int cibleSort = pt ? o.cibleSort : o.indice;
    const int h = 12 * o.taille;

    switch (o.action) {
        case 2:
            Lancer(o, t, e, 2, 100);
            Son__JoueEnPosition(150, o.x, o.y);
            Experience(o, 25);
            ManaFixee(o);
            break;
        case 3:
            Lancer(o, t, e, 3, 100);
            if (ProjectileQueue) ProjectileQueue->armee = o.armee;
            Experience(o, 25);
            ManaFixee(o);
            break;
        case 4:
            EffetImpactAjouter(&o, 4, 0, 0, o.cibleSort, 50);
            Experience(o, 25);
            ManaFixee(o);
            break;
        case 5:
            EffetImpactAjouter(&o, 5, t.x, t.y, -1, 1);
            Experience(o, 25);
            ManaFixee(o);
            break;
        case 6:
            for (int b = 0; b < 2; ++b) Eclair__Creation(o.x * 24 + h, o.y * 24 + h - 24, 4, cibleSort, o.indice);
            Experience(o, 25);
            ManaFixee(o);
            break;
        case 7:
            Lancer(o, t, e, 7, 100);
            Experience(o, 25);
            ManaFixee(o);
            break;
        case 8: {
            int bx = 0, by = 0;
            if (!BlocElementaire(o, &bx, &by)) break;   // nothing found, nothing changes
            if (EffetImpactAjouter(&o, 8, bx, by, -1, 15) == 0) {
                LibererBloc(bx, by);   // no effect will ever free it
                break;
            }
            Experience(o, 25);
            ManaFixee(o);
            break;
        }
        case 9:
            Lancer(o, t, e, 9, 10);
            Experience(o, 25);
            break;
        case 11:
            Teleportation(o);
            Experience(o, 25);
            break;
        case 12:
            EffetImpactAjouter(&o, 12, 0, 0, o.cibleSort, 50);
            Experience(o, 25);
            ManaFixee(o);
            break;
        case 13:
            if (o.cibleSort >= 0) {
                EffetImpactAjouter(&o, 13, t.x, t.y, -1, 150);
                ManaFixee(o);
            }
            Experience(o, 25);
            break;
        case 15:
            EffetImpactAjouter(&o, 15, t.x, t.y, -1, 75);
            Experience(o, 250);
            ManaFixee(o);
            break;
        case 16:
            Invocation(o, t);
            Experience(o, 25);
            ManaDepensee(o);
            break;
        case 18:
            if (t.actif != 1) break;
            Eclair__Creation(o.x * 24 + h, o.y * 24 + h - 24, 4, cibleSort, o.indice);
            Particules_Emission(EffetWave, PlanParticules2.data(), CAPACITE_PLAN_PARTICULES, &NombreParticules2,
                                t.x * 24 + 12 * t.taille + 8 - ReperePixelX, (t.y - 1) * 24 + 12 * t.taille - ReperePixelY,
                                2, 0, 0, -1);
            t.pointsDeVie = 0;
            t.ordreSecondaire = 3;
            t.animation = 18;
            Objet__RazAnimation(&t);
            Experience(o, 25);
            ManaFixee(o);
            break;
        case 19:
            EffetImpactAjouter(&o, 19, 0, 0, -1, 100);
            Experience(o, 25);
            ManaDepensee(o);
            break;
        case 20:
            EffetImpactAjouter(&o, 20, o.x, o.y, -1, 100);
            Experience(o, 250);
            ManaFixee(o);
            break;
        case 21:
            EffetImpactAjouter(&o, 21, 0, 0, -1, 100);
            Experience(o, 250);
            ManaFixee(o);
            break;
        case 24:
            Gel(o, t);
            o.experience += 25;
            ManaDepensee(o);
            break;
        default: break;
    }
}
