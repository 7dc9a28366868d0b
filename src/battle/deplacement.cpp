#include "battle/deplacement.h"

#include <algorithm>
#include <cstdint>

#include "battle/chemin.h"
#include "battle/humains.h"
#include "battle/machines.h"
#include "battle/occupation.h"
#include "battle/trajet.h"
#include "shell/routeur.h"
#include "world/gestion_objets.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/objets.h"

int32_t GroupesGeres = 0;

namespace {

constexpr int PIXELS_CASE = 24;

bool ObjetValide(int o) { return o > 0 && o < NOMBRE_OBJETS; }
bool MortOuMourant(const Objet& o) { return o.mourant || o.ordreSecondaire == 3 || o.ordreSecondaire == 4; }
bool Attaque(const Objet& o) { return o.ordreSecondaire == 1; }
bool SurCarte(int x, int y) { return x >= 0 && x < COTE_CARTE && y >= 0 && y < COTE_CARTE; }
int Taille(const Objet& o) { return o.taille > 0 ? o.taille : 1; }
int Signe(int v) { return v > 0 ? 1 : (v < 0 ? -1 : 0); }
int Borne(int v) { return std::clamp(v, 0, COTE_CARTE - 1); }
uint32_t* Carte(const Objet& o) { return o.couche == 2 ? CarteOccupationAir : CarteOccupationSol; }
int Numero(const Objet& o) { return static_cast<int>(&o - TableObjets.data()); }

uint32_t Case(const uint32_t* carte, int x, int y) {
    return carte && SurCarte(x, y) ? carte[x + COTE_CARTE * y] : OBSTACLE_FIXE;
}

void PoseSur(const Objet& o, int x, int y, int numero) {
    if (uint32_t* carte = Carte(o)) Occupation__Pose(Taille(o), Taille(o), x, y, carte, numero);
}

// Clears the unit's footprint at its cell when every cell there is its own.
void EffaceCase(const Objet& o) {
    uint32_t* carte = Carte(o);
    if (carte && Occupation__Test(Taille(o), Taille(o), o.x, o.y, carte, Numero(o)) == 0)
        Occupation__Pose(Taille(o), Taille(o), o.x, o.y, carte, 0);
}

int DirectionDe(int dx, int dy) {
    for (int d = 0; d < 8; ++d)
        if (DirectionDx[d] == dx && DirectionDy[d] == dy) return d;
    return 0;
}

Groupe* GroupeDe(int groupe) { return Groupe__Actif(groupe) ? &TableGroupes[groupe] : nullptr; }

// The unit gives its cell up and takes the next cell one step in direction d.
void PasDeCote(Objet& o, int d) {
    o.contourne = 1;
    o.attenteCase = 1;
    EffaceCase(o);
    o.prochaineCaseX = o.x + DirectionDx[d];
    o.prochaineCaseY = o.y + DirectionDy[d];
    PoseSur(o, o.prochaineCaseX, o.prochaineCaseY, Numero(o));
}

// Pushes the units standing on the path ahead. False when a unit that cannot be pushed, or a
// pushed unit with no room ahead, ends the look-ahead.
bool DegagePassage(Objet& o, Groupe& g) {
    const int n = std::min(static_cast<int>(o.nbPointsTrajetUnite), POINTS_TRAJET_UNITE), pc = o.pointCourantUnite;
    if (!o.trajet || n < 2 || pc < 0 || pc > n - 2) return true;
    const int num = Numero(o);
    int k = -1;
    if (o.couche != 2) {
        // The cell test of a ground unit answers -1 for a cell off the map or not holding an
        // object, 0 for a free cell or its own, and 1 for any other unit, a block's included: the
        // walk ahead reads the map alone (there, Unite__Pas looked). The obstacle list is read only
        // after a test of its own; it is cleared where the test would have cleared it last.
        const uint32_t* sol = CarteOccupationSol;
        for (int i = pc; i <= n - 2; ++i) {
            const int x = o.trajet[i].x, y = o.trajet[i].y;
            const uint32_t v = SurCarte(x, y) ? sol[x + COTE_CARTE * y] : OBSTACLE_FIXE;
            if (v == 0 || (ObjetValide(static_cast<int>(v)) && static_cast<int>(v) == o.numeroObjet)) {
                ObstaclesNombre = 0;
                k = i;
                break;
            }
            if (!ObjetValide(static_cast<int>(v))) {
                ObstaclesNombre = 0;
                return true;
            }
        }
    } else {
        for (int i = pc; i <= n - 2; ++i) {
            const int r = Collision__TestDeplacement(num, o.trajet[i].x, o.trajet[i].y, 1, 1, 0, 0);
            if (r == -1) return true;
            if (r == 0) {
                k = i;
                break;
            }
        }
    }
    // The free cell found tests free again below, nothing having been written since: it is passed.
    const int premier = k < 0 ? n - 2 : k - 1;
    uint32_t* carte = Carte(o);
    for (int i = premier; i >= pc; --i) {
        if (Collision__TestDeplacement(num, o.trajet[i].x, o.trajet[i].y, 1, 1, 0, 0) != 1) continue;
        int32_t gene[TAILLE_OBSTACLES_LISTE];
        const int nb = std::clamp(static_cast<int>(ObstaclesNombre), 0, TAILLE_OBSTACLES_LISTE);
        std::copy(ObstaclesListe, ObstaclesListe + nb, gene);
        const int ddx = Signe(o.trajet[i + 1].x - o.trajet[i].x), ddy = Signe(o.trajet[i + 1].y - o.trajet[i].y);
        for (int j = 0; j < nb; ++j) {
            if (gene[j] == num || !ObjetValide(gene[j])) continue;
            Objet& u = TableObjets[gene[j]];
            const Groupe* gu = GroupeDe(u.groupe);
            const bool blocEnnemi = u.armee != o.armee && gu && gu->modeFormation == 4;
            if (Attaque(u) || u.attenteCase || blocEnnemi || MortOuMourant(u) || u.decalageX || u.decalageY)
                return false;
            const int r = Collision__TestDeplacement(gene[j], u.x, u.y, Taille(u), Taille(u), ddx, ddy);
            if (r == 0 && Taille(u) == 1) {
                EffaceCase(u);
                const int ax = u.prochaineCaseX + ddx, ay = u.prochaineCaseY + ddy;
                if (Case(carte, ax, ay) != 0) return false;
                u.attenteCase = 1;
                u.prochaineCaseX = ax;
                u.prochaineCaseY = ay;
                if (Groupe* pu = GroupeDe(u.groupe)) {
                    pu->modeFormation = 1;
                    pu->enFuite = 1;
                }
                g.nbPointsTrajet = g.pointCourant;
                PoseSur(u, u.prochaineCaseX, u.prochaineCaseY, gene[j]);
            } else if (r != 0) {
                PoseSur(u, u.prochaineCaseX, u.prochaineCaseY, gene[j]);
            }
        }
    }
    return true;
}

}  // namespace

int Formation__UniteDansRectangle(int objet, int x, int y, int groupe) {
    if (!ObjetValide(objet) || !Groupe__Actif(groupe)) return 1;
    const Groupe& g = TableGroupes[groupe];
    const int t = Taille(TableObjets[objet]);
    const int x0 = std::min(g.rectangle[0], g.rectangle[2]), x1 = std::max(g.rectangle[0], g.rectangle[2]);
    const int y0 = std::min(g.rectangle[1], g.rectangle[3]), y1 = std::max(g.rectangle[1], g.rectangle[3]);
    if (x < x0 || x + t - 1 > x1 || y < y0 || y + t - 1 > y1) return 1;
    return (x - x0) % t != 0 || (y - y0) % t != 0 ? 1 : 0;
}

void Formation__PasUnite(int objet, int groupe) {
    if (!ObjetValide(objet) || !Groupe__Actif(groupe)) return;
    Objet& o = TableObjets[objet];
    Groupe& g = TableGroupes[groupe];
    if (o.decalageX || o.decalageY || MortOuMourant(o) || !o.actif) return;
    o.attenteCase = 0;
    if (Formation__UniteDansRectangle(objet, o.x, o.y, groupe) == 0) {
        PoseSur(o, o.prochaineCaseX, o.prochaineCaseY, objet);
        return;
    }
    const int x0 = std::min(g.rectangle[0], g.rectangle[2]), x1 = std::max(g.rectangle[0], g.rectangle[2]);
    const int y0 = std::min(g.rectangle[1], g.rectangle[3]), y1 = std::max(g.rectangle[1], g.rectangle[3]);
    const bool montantX = x1 < o.x, montantY = y1 < o.y;
    // The cell the scan starts from: the far corner of the rectangle.
    const int departX = montantX ? x0 : x1, departY = montantY ? y0 : y1;
    int cibleX = g.destinationOrdreX, cibleY = g.destinationOrdreY;
    bool trouve = false;
    const uint32_t* carte = Carte(o);
    if (Taille(o) == 1 && carte) {
        // Columns from the start corner on, each from its start row; the cells off the map, which
        // are passed over, are cut off the ranges first.
        const int pasX = montantX ? 1 : -1, pasY = montantY ? COTE_CARTE : -COTE_CARTE;
        const int xDebut = montantX ? std::max(x0, 0) : std::min(x1, COTE_CARTE - 1);
        const int xFin = montantX ? std::min(x1, COTE_CARTE - 1) : std::max(x0, 0);
        const int yDebut = montantY ? std::max(y0, 0) : std::min(y1, COTE_CARTE - 1);
        const int yFin = montantY ? std::min(y1, COTE_CARTE - 1) : std::max(y0, 0);
        const int nx = montantX ? xFin - xDebut + 1 : xDebut - xFin + 1;
        const int ny = montantY ? yFin - yDebut + 1 : yDebut - yFin + 1;
        for (int ix = 0, x = xDebut; !trouve && ix < nx; ++ix, x += pasX) {
            const uint32_t* c = carte + x + COTE_CARTE * yDebut;
            for (int iy = 0; iy < ny; ++iy, c += pasY) {
                if (*c == 0) {
                    cibleX = x;
                    cibleY = montantY ? yDebut + iy : yDebut - iy;
                    trouve = true;
                    break;
                }
            }
        }
    }
    cibleX = Borne(cibleX);
    cibleY = Borne(cibleY);
    o.butUniteX = Borne(trouve ? cibleX : g.destinationX);
    o.butUniteY = Borne(trouve ? cibleY : g.destinationY);
    switch (g.modeFormation) {
        case 4:
            Unite__OrdreDeplacement(objet, cibleX, cibleY);
            break;
        case 5:
            cibleX = o.butUniteX = Borne(departX);
            cibleY = o.butUniteY = Borne(departY);
            [[fallthrough]];
        case 1:
            if ((o.modeDeplacement != 2 && o.modeDeplacement != 8) ||
                (o.modeDeplacement == 2 && g.enDeroute == 1 && g.pointCourant >= g.nbPointsTrajet))
                Unite__OrdreDeplacement(objet, cibleX, cibleY);
            break;
        default:
            break;
    }
}

void Unite__DeplacementRappel(int objet, int groupe) {
    if (!ObjetValide(objet) || !Groupe__Actif(groupe)) return;
    Objet& o = TableObjets[objet];
    if (o.decalageX || o.decalageY || MortOuMourant(o)) return;
    if (Formation__UniteDansRectangle(objet, o.x, o.y, groupe) == 0) return;
    if (o.modeDeplacement != 2) {
        Formation__PasUnite(objet, groupe);
        o.modeDeplacement = 2;
    }
    Unite__Pas(objet, 0, 0, -1, groupe);
}

int Unite__Pas(int objet, int, int, int direction, int groupe) {
    if (!ObjetValide(objet) || !Groupe__Actif(groupe)) return 0;
    Objet& o = TableObjets[objet];
    Groupe& g = TableGroupes[groupe];
    if (o.decalageX || o.decalageY || Attaque(o) || MortOuMourant(o) || !o.actif || !Carte(o)) return 0;
    const bool aCible = o.groupeCible > 0;
    if ((g.ordreAttaque == 1 && g.enFuite == 1 && aCible) ||
        (aCible && (o.prochaineCaseX != o.x || o.prochaineCaseY != o.y))) {
        PoseSur(o, o.x, o.y, objet);
        return 0;
    }
    if (o.attenteCase) {
        o.modeDeplacement = 4;
        return 1;
    }
    int dx, dy;
    if (direction < 0) {
        if (o.trajet && o.pointCourantUnite >= 0 && o.pointCourantUnite < o.nbPointsTrajetUnite &&
            o.pointCourantUnite < POINTS_TRAJET_UNITE) {
            dx = o.trajet[o.pointCourantUnite].x - o.x;
            dy = o.trajet[o.pointCourantUnite].y - o.y;
        } else {
            dx = o.butUniteX - o.x;
            dy = o.butUniteY - o.y;
        }
    } else {
        dx = DirectionDx[direction & 7];
        dy = DirectionDy[direction & 7];
    }
    Formation__PasUnite(objet, groupe);

    const int t = Taille(o);
    if (t == 1 && !DegagePassage(o, g)) return 1;
    if (o.attenteCase) return 1;

    dx = Signe(dx);
    dy = Signe(dy);
    const int r = Collision__TestDeplacement(objet, o.x, o.y, t, t, dx, dy);
    bool permis = r == 0;
    if (t == 1 && r == 1) {
        permis = true;
        for (int j = 0; j < std::clamp(static_cast<int>(ObstaclesNombre), 0, TAILLE_OBSTACLES_LISTE); ++j)
            if (ObstaclesListe[j] != objet) permis = false;
    }
    const bool resteDesPoints = o.trajet && o.pointCourantUnite < o.nbPointsTrajetUnite;
    if (permis) {
        if (resteDesPoints) {
            EffaceCase(o);
            o.attenteCase = 1;
            o.prochaineCaseX = o.x + dx;
            o.prochaineCaseY = o.y + dy;
            PoseSur(o, o.prochaineCaseX, o.prochaineCaseY, objet);
            ++o.pointCourantUnite;
            o.contourne = 0;
        }
        return 1;
    }
    const int d = DirectionDe(dx, dy);
    if (o.contourne == 0 && o.nbPointsTrajetUnite > 0 && o.pointCourantUnite < o.nbPointsTrajetUnite - 1) {
        const int gauche = (d + 1) & 7, droite = (d + 7) & 7;
        if (Collision__TestDeplacement(objet, o.x, o.y, t, t, DirectionDx[gauche], DirectionDy[gauche]) == 0) {
            PasDeCote(o, gauche);
        } else if (Collision__TestDeplacement(objet, o.x, o.y, t, t, DirectionDx[droite], DirectionDy[droite]) ==
                   0) {
            PasDeCote(o, droite);
        } else {
            o.contourne = 0;
            o.modeDeplacement = 4;
            PoseSur(o, o.prochaineCaseX, o.prochaineCaseY, objet);
        }
    } else {
        PoseSur(o, o.prochaineCaseX, o.prochaineCaseY, objet);
        o.modeDeplacement = 4;
        o.contourne = 0;
    }
    return 1;
}

int Unite__Glisse(int objet, int groupe) {
    if (!ObjetValide(objet) || !Groupe__Actif(groupe)) return 0;
    Objet& o = TableObjets[objet];
    const Groupe& g = TableGroupes[groupe];
    uint32_t* carte = Carte(o);
    if (o.decalageX || o.decalageY || o.ordreSecondaire != 2 || !o.actif || MortOuMourant(o) || !carte) return 0;
    const int t = Taille(o);
    const int r = Collision__TestDeplacementGroupe(objet, o.x, o.y, t, t, g.pasX, g.pasY, groupe);
    if (r == 1 || r == -1) return 1;
    Occupation__Leve(objet, t, t, o.x, o.y, carte, 0, 0);
    const int cx = o.x + g.pasX, cy = o.y + g.pasY;
    const uint32_t v = Case(carte, cx, cy);
    if (v != 0) {
        // Off the map, or someone who will not make room: the unit stays where it is.
        const bool refuse = !SurCarte(cx, cy) ||
                            (ObjetValide(static_cast<int>(v)) && static_cast<int>(v) != objet &&
                             (TableObjets[v].groupe != groupe || TableObjets[v].attenteCase || Attaque(TableObjets[v])));
        if (refuse) {
            Occupation__Pose(t, t, o.x, o.y, carte, objet);
            return 1;
        }
    }
    o.prochaineCaseX = cx;
    o.prochaineCaseY = cy;
    Occupation__Pose(t, t, cx, cy, carte, objet);
    o.attenteCase = 0;
    o.pointCourantUnite = 0;
    o.modeDeplacement = 4;
    return 0;
}

void Unite__OrdreDeplacement(int objet, int x, int y) {
    if (!ObjetValide(objet)) return;
    Objet& o = TableObjets[objet];
    Carte__RameneDansZone(-1, objet, &x, &y);
    const uint32_t* carte = o.couche == 2 ? CarteOccupationAirBase : CarteOccupationSolBase;
    int r = 1;
    if (carte && TrajetLisse && o.trajet) {
        // The plan is smoothed straight into the unit's buffer, which holds more points than the
        // planner writes; the shared buffer is put back after. Nothing reads the shared buffer's
        // points after a unit's plan (its count is set to 0 below), and after a failed plan the
        // unit's count is 0, so the points written into its buffer are not read.
        static_assert(POINTS_TAMPON_TRAJET <= POINTS_TRAJET_UNITE);
        struct Rend {
            PointTrajet* commun;
            ~Rend() { TrajetLisse = commun; }
        } rend{TrajetLisse};
        TrajetLisse = o.trajet;
        r = Trajet__Calcul(o.x, o.y, x, y, &TrajetLisseNombre, TrajetLisse, carte, objet, -1);
    }
    o.resultatTrajet = r;
    if (r != 0) {
        o.modeDeplacement = 4;
        o.nbPointsTrajetUnite = 0;
        o.pointCourantUnite = 0;
        TrajetLisseNombre = 0;
        return;
    }
    const int n = std::clamp(static_cast<int>(TrajetLisseNombre), 0, POINTS_TRAJET_GROUPE);
    o.nbPointsTrajetUnite = n;
    TrajetLisseNombre = 0;
    o.pointCourantUnite = 0;
    o.modeDeplacement = 2;
}

void Objet__Deplacement() {
    if (!ObjetCourant || ModeSceneCourant == 1) return;
    Objet& o = *ObjetCourant;
    const int num = Numero(o);
    if (!ObjetValide(num)) return;
    const bool immobile = o.decalageX == 0 && o.decalageY == 0;
    if (immobile && !MortOuMourant(o) && Attaque(o) && o.cible <= 0) o.ordreSecondaire = 2;
    if (GroupesGeres == 1 && immobile && !MortOuMourant(o)) {
        uint32_t* carte = Carte(o);
        const int t = Taille(o);
        if (Attaque(o) && o.cible <= 0) o.ordreSecondaire = 2;
        const bool surProchaine = o.prochaineCaseX == o.x && o.prochaineCaseY == o.y;
        if (Attaque(o)) {
            o.arretFinCycle = 0;
        } else if (surProchaine) {
            if (o.arretFinCycle == 1) o.animation = 5;
            o.arretFinCycle = 1;
        } else {
            o.arretFinCycle = 0;
        }
        if (Attaque(o) && !surProchaine) {
            if (carte && Occupation__Test(t, t, o.x, o.y, carte, num) == 0) {
                o.prochaineCaseX = o.x;
                o.prochaineCaseY = o.y;
                Occupation__Avance(num, num);
            }
            o.arretFinCycle = 0;
        }
        // Face the way: machines on their 16 directions, the others towards their target.
        if (o.famille == 5) Objet__DirectionMachine();
        else Objet__OrientationCible();
        ObjetCourant = &o;
        if (o.couche != 2 && carte) {
            const uint32_t v = Case(carte, o.prochaineCaseX, o.prochaineCaseY);
            if (v != static_cast<uint32_t>(num) && v != 0) Occupation__Avance(num, num);
        }
        // Never leave the map, whatever the next cell says.
        const int px = std::clamp(o.prochaineCaseX, 0, COTE_CARTE - t);
        const int py = std::clamp(o.prochaineCaseY, 0, COTE_CARTE - t);
        if (px != o.x || py != o.y) {
            switch (o.couche) {
                case 0: Univers__LiberationSol(num); break;
                case 1: Univers__LiberationUnites(num); break;
                case 2: Univers__LiberationAir(num); break;
                default: break;
            }
            if (px != o.x) {
                o.decalageX = px > o.x ? -PIXELS_CASE : PIXELS_CASE;
                o.x += Signe(px - o.x);
            }
            if (py != o.y) {
                o.decalageY = py > o.y ? -PIXELS_CASE : PIXELS_CASE;
                o.y += Signe(py - o.y);
            }
            switch (o.couche) {
                case 0: Univers__OccupationSol(num); break;
                case 1: Univers__OccupationUnites(num); break;
                case 2: Univers__OccupationAir(num); break;
                default: break;
            }
        }
    }
    FacteurTemps = 1;
    const int v = std::max(o.vitesse, 0);
    const int vy = v * FacteurTemps;
    bool bouge = false;
    if (o.decalageX > 0) { o.decalageX = std::max(o.decalageX - v, 0); bouge = true; }
    else if (o.decalageX < 0) { o.decalageX = std::min(o.decalageX + v, 0); bouge = true; }
    if (o.decalageY > 0) { o.decalageY = std::max(o.decalageY - vy, 0); bouge = true; }
    else if (o.decalageY < 0) { o.decalageY = std::min(o.decalageY + vy, 0); bouge = true; }
    if (bouge) o.animation = 0;
}
