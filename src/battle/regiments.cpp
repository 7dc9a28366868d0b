#include "battle/regiments.h"

#include <algorithm>
#include <cstddef>

#include "battle/humains.h"
#include "battle/trajet.h"
#include "campaign/region.h"
#include "world/gestion_objets.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/objets.h"

namespace {

constexpr int FAMILLE_REGIMENT = 23;

RegimentRegion* RegimentDe(const Objet& o) {
    const int k = o.sorts[0];
    return k >= 0 && k < REGIMENTS_REGION ? &RegimentsRegion[static_cast<size_t>(k)] : nullptr;
}

Groupe* GroupeDe(const Objet& o) { return Groupe__Actif(o.groupe) ? &TableGroupes[static_cast<size_t>(o.groupe)] : nullptr; }

// The token stops where it stands and forgets the rest of its path.
void Arret(Objet& o, RegimentRegion* r, Groupe* g) {
    if (g) g->pointCourant = g->nbPointsTrajet = 0;
    if (r) r->enMouvement = 0;
    o.prochaineCaseX = o.x;
    o.prochaineCaseY = o.y;
}

// The cost of entering region cell (x, y); -1 for a cell the regiment cannot enter (off the
// region, an unknown terrain, a closed one).
int Cout(const RegimentRegion& r, int x, int y) {
    if (CarteRegionCourante == nullptr || x < 0 || x >= REGION_LARGEUR || y < 0 || y >= REGION_HAUTEUR) return -1;
    const int terrain = CarteRegionCourante->terrain[static_cast<size_t>(x * REGION_HAUTEUR + y)];
    if (terrain < 0 || terrain >= 5) return -1;
    return r.cout[terrain];
}

// The unique sites and the regiments on the next cell: true when the step ends there.
bool Rencontres(Objet& o, RegimentRegion* r, Groupe* g) {
    const int nx = o.prochaineCaseX, ny = o.prochaineCaseY;
    if (CarteRegionCourante && CarteRegionCourante->lieuxUniques)
        for (int i = 0; i < CarteRegionCourante->nbLieuxUniques; ++i) {
            const LieuUnique& lieu = CarteRegionCourante->lieuxUniques[i];
            if (lieu.x != nx || lieu.y != ny || lieu.visite != 0 || lieu.lock == 2) continue;
            RegimentNmi_BatailleLieuUnique(i);
            ObjetCourant = &o;
            Arret(o, r, g);
            RegionMemoriserEtat();
            return true;
        }
    const int k = Univers__CaseUnites(nx, ny);
    if (k < 1 || k >= NOMBRE_OBJETS || k == o.indice || TableObjets[static_cast<size_t>(k)].noeudListe == nullptr)
        return false;
    RegionMemoriserEtat();
    if (TableObjets[static_cast<size_t>(k)].famille != FAMILLE_REGIMENT) {
        RegimentNmi_EntreeBataille(nx, ny);
        ObjetCourant = &o;
        return true;
    }
    Arret(o, r, g);
    return true;
}

int Signe(int v) { return (v > 0) - (v < 0); }

// Into the next cell, one cell at most on each axis, the picture starting a cell behind.
void Entree(Objet& o) {
    const int num = o.indice;
    if (o.prochaineCaseX == o.x && o.prochaineCaseY == o.y) return;
    switch (o.couche) {
        case 0: Univers__LiberationSol(num); break;
        case 1: Univers__LiberationUnites(num); break;
        case 2: Univers__LiberationAir(num); break;
        default: break;
    }
    if (o.prochaineCaseX != o.x) {
        o.decalageX = o.prochaineCaseX > o.x ? -24 : 24;
        o.x += Signe(o.prochaineCaseX - o.x);
    }
    if (o.prochaineCaseY != o.y) {
        o.decalageY = o.prochaineCaseY > o.y ? -24 : 24;
        o.y += Signe(o.prochaineCaseY - o.y);
    }
    switch (o.couche) {
        case 0: Univers__OccupationSol(num); break;
        case 1: Univers__OccupationUnites(num); break;
        case 2: Univers__OccupationAir(num); break;
        default: break;
    }
}

void Glissement(Objet& o) {
    FacteurTemps = 1;
    const int v = std::max(o.vitesse, 0);
    const bool bouge = o.decalageX != 0 || o.decalageY != 0;
    o.decalageX = o.decalageX > 0 ? std::max(o.decalageX - v, 0) : std::min(o.decalageX + v, 0);
    o.decalageY = o.decalageY > 0 ? std::max(o.decalageY - v, 0) : std::min(o.decalageY + v, 0);
    if (bouge) o.animation = 0;
}

}  // namespace

void Regiment__Pas() {
    Objet* courant = ObjetCourant;
    if (courant == nullptr) return;
    Objet& o = *courant;
    Region__finMouvements();
    ObjetCourant = courant;
    if (RegimentsEnMouvement == 1) {
        RegimentRegion* r = RegimentDe(o);
        Groupe* g = GroupeDe(o);
        if (Rencontres(o, r, g)) return;
        const bool mourant = o.ordreSecondaire == 3 || o.ordreSecondaire == 4 || o.mourant;
        if (o.decalageX == 0 && o.decalageY == 0 && !mourant) {
            if (r == nullptr || g == nullptr || g->tampon == nullptr || r->enMouvement == 0 || r->campe != 0 ||
                g->pointCourant < 0 || g->pointCourant >= g->nbPointsTrajet || g->pointCourant >= POINTS_TRAJET_GROUPE ||
                r->pointsCourants < 1) {
                if (r) r->enMouvement = 0;
            } else {
                const PointTrajet p = g->tampon[g->pointCourant];
                if (p.x != o.x || p.y != o.y) {
                    const int cout = Cout(*r, p.x, p.y);
                    if (cout < 0) {
                        // A cell it cannot enter ends the move here.
                        Arret(o, r, g);
                        Glissement(o);
                        return;
                    }
                    r->pointsCourants -= cout;
                }
                o.prochaineCaseX = p.x;
                o.prochaineCaseY = p.y;
                ++g->pointCourant;
                const bool attaque = o.ordreSecondaire == 1;
                if (o.prochaineCaseX == o.x && o.prochaineCaseY == o.y && !attaque) {
                    if (o.arretFinCycle == 1) o.animation = 5;
                    o.arretFinCycle = 1;
                } else {
                    o.arretFinCycle = 0;
                }
                if (attaque) {
                    o.prochaineCaseX = o.x;
                    o.prochaineCaseY = o.y;
                }
                Objet__OrientationCible();
                ObjetCourant = courant;
                if (Rencontres(o, r, g)) return;
                Entree(o);
            }
        }
    }
    Glissement(o);
}
