// The enemy regiments on the region map: each turn's move planned by behaviour, the greedy path,
// the token's step and slide tick by tick, the contact with a player regiment, and the drawing.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>

#include "battle/trajet.h"
#include "campaign/ennemis.h"
#include "campaign/lieux_uniques.h"
#include "foundation/erreurs.h"
#include "foundation/listes.h"
#include "foundation/objetsgfx.h"
#include "platform/hasard.h"
#include "platform/son.h"
#include "shell/trame.h"
#include "world/codes.h"
#include "world/gestion_objets.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/maitres.h"
#include "world/objets.h"

namespace {

// The distance farther than any sight.
constexpr int LOIN = 128;

RegimentNmi* RecordDe(const Objet& o) {
    const int k = o.sorts[0];
    if (k < 0 || k >= REGIMENTS_NMI || k >= NbRegimentsNmi) return nullptr;
    return &RegimentsNmi[static_cast<size_t>(k)];
}

Objet* ObjetVivant(int n) {
    if (n < 1 || n >= NOMBRE_OBJETS) return nullptr;
    Objet& o = TableObjets[static_cast<size_t>(n)];
    return o.noeudListe ? &o : nullptr;
}

// Whole cells between two cells, the square root truncated.
int Distance(int x0, int y0, int x1, int y1) {
    const double dx = x1 - x0, dy = y1 - y0;
    return static_cast<int>(std::sqrt(dx * dx + dy * dy));
}

// A cell the greedy path may step on: on the region, open, no unique site there.
bool CaseOuverte(int x, int y) {
    if (x < 0 || x >= REGION_LARGEUR || y < 0 || y >= REGION_HAUTEUR) return false;
    const CarteRegion* c = CarteRegionCourante;
    if (c == nullptr) return false;
    if (c->terrain[static_cast<size_t>(x * REGION_HAUTEUR + y)] == 4) return false;
    if (c->lieuxUniques)
        for (int i = 0; i < c->nbLieuxUniques; ++i)
            if (c->lieuxUniques[i].x == x && c->lieuxUniques[i].y == y) return false;
    return true;
}

bool JetonEnnemiSur(int x, int y) {
    const Objet* o = ObjetVivant(Univers__CaseUnites(x, y));
    return o && o->famille == FAMILLE_REGIMENT_NMI;
}

// The cell a hunter aims at: ahead on the player regiment's path when it has one, else its cell.
void But(const Objet& proie, int* x, int* y) {
    *x = proie.x;
    *y = proie.y;
    if (!Groupe__Actif(proie.groupe)) return;
    const Groupe& g = TableGroupes[static_cast<size_t>(proie.groupe)];
    const int devant = g.nbPointsTrajet - g.pointCourant;
    if (g.tampon == nullptr || g.nbPointsTrajet <= 0 || devant <= 0 || g.pointCourant < 0) return;
    const int k = g.pointCourant + (Hasard_Regles() % devant) % 5;
    if (k >= POINTS_TRAJET_GROUPE) return;
    *x = g.tampon[k].x;
    *y = g.tampon[k].y;
}

// Animations the token can show were reported once already.
bool AnimationSignalee = false;

void Dessiner(bool ombre) {
    if (PointeurCase == nullptr) return;
    Objet* o = ObjetVivant(*PointeurCase);
    if (o == nullptr) return;
    ObjetCourant = o;
    const int gfx = o->typeMaitre >= 0 && o->typeMaitre < NOMBRE_TYPES_MAITRES
                        ? ObjetGfx_ANIM__DPL[static_cast<size_t>(o->typeMaitre)]
                        : -1;
    if (o->animation != 0 && o->animation != 5) {
        // Reported once: the next frames draw nothing without asking again.
        if (!AnimationSignalee) {
            AnimationSignalee = true;
            Erreur_Question("RegimentAffichage()", "Animation inconnue : %d", o->animation);
        }
        return;
    }
    const RegimentNmi* r = RecordDe(*o);
    if (r && r->comportement == 3) return;   // an ambush is never seen
    if (gfx < 0) return;
    ObjetGfx_Ombre(gfx, 31);
    const int x = (o->x - RepereX) * 24 + o->decalageX + 20;
    const int y = (o->y - RepereY) * 24 + o->decalageY + 16;
    if (ombre) Sprite__AfficheTrs(gfx, x, y, o->image, 10);
    else Sprite__Affiche(gfx, x, y, o->image);
}

}  // namespace

int RegimentNmi_CalculerChemin(int i, int gx, int gy) {
    if (i < 0 || i >= REGIMENTS_NMI) return 0;
    RegimentNmi& r = RegimentsNmi[static_cast<size_t>(i)];
    const Objet* jeton = ObjetsRegimentsNmi[static_cast<size_t>(i)];
    if (jeton) r.chemin[0].x = jeton->x, r.chemin[0].y = jeton->y;
    else r.chemin[0].x = r.x, r.chemin[0].y = r.y;
    if (r.chemin[0].x == gx && r.chemin[0].y == gy) return 0;
    const int pas = std::clamp(r.nbPA, 0, NBPA_MAXIMUM);
    for (int k = 1; k <= pas; ++k) {
        const int px = r.chemin[k - 1].x, py = r.chemin[k - 1].y;
        int meilleure = (px - gx) * (px - gx) + (py - gy) * (py - gy);
        // A step where no neighbour serves repeats the point before it.
        r.chemin[k] = r.chemin[k - 1];
        for (int x = px - 1; x <= px + 1; ++x)
            for (int y = py - 1; y <= py + 1; ++y) {
                if (x == px && y == py) continue;
                const int d = (x - gx) * (x - gx) + (y - gy) * (y - gy);
                if (d > meilleure || !CaseOuverte(x, y)) continue;
                if (JetonEnnemiSur(x, y)) {
                    r.chemin[k] = r.chemin[k - 1];
                    continue;
                }
                meilleure = d;
                r.chemin[k].x = x;
                r.chemin[k].y = y;
                if (x == gx && y == gy) return k;
            }
    }
    return pas;
}

void RegimentNmi_Deplacement(int i) {
    if (i < 0 || i >= REGIMENTS_NMI || i >= NbRegimentsNmi) return;
    RegimentNmi& r = RegimentsNmi[static_cast<size_t>(i)];
    r.nbPas = 0;
    r.chemin[0].x = r.x;
    r.chemin[0].y = r.y;
    if ((r.comportement == 2 || r.comportement == 4) && r.x == r.destinationX && r.y == r.destinationY) {
        r.comportement = 1;
        r.nbPA = std::clamp(r.pourAttaqueNbPA, 0, NBPA_MAXIMUM);
        r.distVue = r.pourAttaqueDistVue;
    }
    if (r.comportement == 0) return;
    Objet* const appelant = ObjetCourant;
    int meilleure = LOIN;
    for (NoeudEntier* n = ListeObjetsVivants; n && n->suivant; n = n->suivant) {
        Objet* o = ObjetVivant(n->valeur);
        if (o == nullptr) continue;
        ObjetCourant = o;
        switch (r.comportement) {
            case 2:
                if (o->famille == FAMILLE_REGIMENT) {
                    const int d = Distance(r.x, r.y, o->x, o->y);
                    if (d <= r.distVue && d <= LOIN) r.detection = 1;
                }
                if (r.detection == 1) r.nbPas = RegimentNmi_CalculerChemin(i, r.destinationX, r.destinationY);
                break;
            case 4:
                if (o->x >= r.zoneX && o->x <= r.zoneX + r.zoneLargeur && o->y >= r.zoneY && o->y <= r.zoneY + r.zoneHauteur)
                    r.detection = 1;
                if (r.detection == 1) r.nbPas = RegimentNmi_CalculerChemin(i, r.destinationX, r.destinationY);
                break;
            case 1:
            case 3:
            case 5:
                if (o->famille == FAMILLE_REGIMENT) {
                    const int d = Distance(r.x, r.y, o->x, o->y);
                    if (d <= r.distVue && d <= meilleure) {
                        meilleure = d;
                        int gx = 0, gy = 0;
                        But(*o, &gx, &gy);
                        r.nbPas = RegimentNmi_CalculerChemin(i, gx, gy);
                    }
                }
                if (r.comportement == 5 && r.nbPas == 0) {
                    const int gx = std::clamp(r.x + Hasard_Regles() % 20 - 10, 1, REGION_LARGEUR - 1);
                    const int gy = std::clamp(r.y + Hasard_Regles() % 20 - 10, 1, REGION_HAUTEUR - 2);
                    r.nbPas = RegimentNmi_CalculerChemin(i, gx, gy);
                }
                break;
            default: break;
        }
    }
    ObjetCourant = appelant;
    char ligne[128];
    std::snprintf(ligne, sizeof ligne, "RegimentNmi_Deplacement(): regiment %d, comportement %d, en %d %d, %d pas", r.id,
                  r.comportement, r.x, r.y, r.nbPas);
    Trace_Debogueur(ligne);
}

void RegimentNmi_Animation() {
    Objet* o = ObjetCourant;
    if (o == nullptr) return;
    o->image = (o->image + 1) % 13;
    if (o->image < 0) o->image = 0;
    RegimentNmi* r = RecordDe(*o);
    if (r == nullptr) return;
    if (r->comportement != 0) {
        const int nbPas = std::clamp(r->nbPas, 0, NBPA_MAXIMUM);
        if (nbPas >= 1) {
            r->enMouvement = 1;
            o->prochaineCaseX = r->chemin[1].x;
            o->prochaineCaseY = r->chemin[1].y;
        } else {
            o->prochaineCaseX = r->chemin[0].x;
            o->prochaineCaseY = r->chemin[0].y;
            // A token still sliding back onto its cell, on either axis, is still moving.
            r->enMouvement = o->decalageX != 0 || o->decalageY != 0;
        }
        RegimentNmi_Gestion();
        ObjetCourant = o;
    }
    r->x = o->x;
    r->y = o->y;
}

int RegimentNmi_Gestion() {
    Objet* courant = ObjetCourant;
    if (courant == nullptr) return 0;
    Objet& o = *courant;
    RegimentNmi* r = RecordDe(o);
    if (r == nullptr) return 0;
    if (o.decalageX == 0 && o.decalageY == 0 && o.ordreSecondaire != 3 && o.ordreSecondaire != 4) {
        const int nx = o.prochaineCaseX, ny = o.prochaineCaseY;
        const int occupant = Univers__CaseUnites(nx, ny);
        if (occupant != 0 && occupant != o.indice) {
            r->nbPas = 0;
            r->enMouvement = 0;
            const Objet* autre = ObjetVivant(occupant);
            if (autre && autre->famille == FAMILLE_REGIMENT) {
                RegimentNmi_AttaqueArmee(nx, ny);
                ObjetCourant = courant;
            }
            o.prochaineCaseX = o.x;
            o.prochaineCaseY = o.y;
            r->nbPas = 0;
            return 0;
        }
        Univers__LiberationUnites(o.indice);
        const bool surPlace = nx == o.x && ny == o.y;
        if (nx != o.x) {
            const int s = nx > o.x ? 1 : -1;
            o.x += s;
            o.decalageX = -24 * s;
        }
        if (ny != o.y) {
            const int s = ny > o.y ? 1 : -1;
            o.y += s;
            o.decalageY = -24 * s;
        }
        Univers__OccupationUnites(o.indice);
        if (surPlace) {
            r->nbPas = 0;
            return 0;
        }
        const int nbPas = std::clamp(r->nbPas, 0, NBPA_MAXIMUM);
        for (int k = 0; k < nbPas; ++k) r->chemin[k] = r->chemin[k + 1];
        r->nbPas = nbPas - 1;
    }
    r->x = o.x;
    r->y = o.y;
    FacteurTemps = 1;
    // A token that could not slide back would hold the turn for ever.
    const int v = FacteurTemps * std::max(o.vitesse, 1);
    if (o.decalageX != 0) {
        o.decalageX = o.decalageX > 0 ? std::max(o.decalageX - v, 0) : std::min(o.decalageX + v, 0);
        o.animation = 0;
    }
    if (o.decalageY != 0) {
        o.decalageY = o.decalageY > 0 ? std::max(o.decalageY - v, 0) : std::min(o.decalageY + v, 0);
        o.animation = 0;
    }
    return 1;
}

bool RegimentNmi_EnMouvement() {
    for (int i = 0; i < NbRegimentsNmi && i < REGIMENTS_NMI; ++i)
        if (RegimentsNmi[static_cast<size_t>(i)].enMouvement != 0) return true;
    return false;
}

void RegimentNmi_Affichage() { Dessiner(false); }
void RegimentNmi_AffichageOmbre() { Dessiner(true); }
