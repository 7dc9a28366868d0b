#include "battle/formations.h"

#include <algorithm>
#include <cstdint>

#include "battle/chemin.h"
#include "battle/deplacement.h"
#include "battle/occupation.h"
#include "battle/ordres.h"
#include "shell/routeur.h"
#include "world/groupes.h"
#include "world/objets.h"

namespace {

bool ObjetValide(int o) { return o > 0 && o < NOMBRE_OBJETS; }

// The member at index i of the group, or null for an index out of range or an empty slot.
Objet* Membre(const Groupe& g, int i) {
    if (!g.membres || i < 0 || i >= g.nbMembres || i >= g.capacite) return nullptr;
    return ObjetValide(g.membres[i]) ? &TableObjets[g.membres[i]] : nullptr;
}

bool Groupe__Valide(int groupe) {
    if (!Groupe__Actif(groupe)) return false;
    const Groupe& g = TableGroupes[groupe];
    return g.nbMembres > 0 && Membre(g, 0) != nullptr;
}

bool MortOuMourant(const Objet& o) { return o.mourant || o.ordreSecondaire == 3 || o.ordreSecondaire == 4; }

uint32_t* CarteDe(const Objet& o) { return o.couche == 2 ? CarteOccupationAir : CarteOccupationSol; }

bool SurCarte(int x, int y) { return x >= 0 && x < COTE_CARTE && y >= 0 && y < COTE_CARTE; }

int Taille0(const Groupe& g) {
    const Objet* o = Membre(g, 0);
    return o && o->taille > 0 ? o->taille : 1;
}

// Static, or a unit of another group.
bool Etrangere(uint32_t v, int groupe) {
    if (v == 0) return false;
    if (v == OBSTACLE_FIXE) return true;
    if (v >= static_cast<uint32_t>(NOMBRE_OBJETS)) return true;
    return TableObjets[v].groupe != groupe;
}

bool DuGroupe(uint32_t v, int groupe) {
    return v != 0 && v < static_cast<uint32_t>(NOMBRE_OBJETS) && TableObjets[v].groupe == groupe;
}

// The rectangle's bounds, smaller and larger of each pair.
void Bornes(const Groupe& g, int* x0, int* y0, int* x1, int* y1) {
    *x0 = std::min(g.rectangle[0], g.rectangle[2]);
    *x1 = std::max(g.rectangle[0], g.rectangle[2]);
    *y0 = std::min(g.rectangle[1], g.rectangle[3]);
    *y1 = std::max(g.rectangle[1], g.rectangle[3]);
}

}  // namespace

// The rectangle laid at the anchor by the orientation (one member: its footprint).
void Formation__PoseRectangle(Groupe& g, int ax, int ay) {
    const int t = Taille0(g);
    g.ancreX = ax;
    g.ancreY = ay;
    g.rectangle[0] = ax;
    g.rectangle[1] = ay;
    if (g.nbMembres == 1) {
        g.rectangle[2] = ax + t - 1;
        g.rectangle[3] = ay + t - 1;
        return;
    }
    const int w = g.largeurFormation * t, h = g.hauteurFormation * t;
    switch (g.orientation) {
        case 0: g.rectangle[2] = ax - w + 1; g.rectangle[3] = ay - h + 1; break;
        case 1: g.rectangle[2] = ax - w + 1; g.rectangle[3] = ay + h - 1; break;
        case 2: g.rectangle[2] = ax + w - 1; g.rectangle[3] = ay - h + 1; break;
        default: g.rectangle[2] = ax + w - 1; g.rectangle[3] = ay + h - 1; break;
    }
}

// The anchor and butX, butY from the leader and the corner unit of the orientation.
void Formation__AncreCoin(Groupe& g) {
    const Objet* chef = Membre(g, g.chef);
    if (chef) {
        g.ancreX = g.butX = chef->x;
        g.ancreY = g.butY = chef->y;
    }
    const Objet* coin = Membre(g, g.coins[g.orientation & 3]);
    if (!coin) return;
    const int t = Taille0(g);
    const int w = g.largeurFormation * t, h = g.hauteurFormation * t;
    // The right-hand corners (0, 1) anchor on the far column, the bottom ones (0, 2) on the far row.
    g.ancreX = coin->x + ((g.orientation == 0 || g.orientation == 1) ? w - 1 : 0);
    g.ancreY = coin->y + ((g.orientation == 0 || g.orientation == 2) ? h - 1 : 0);
    g.butX = coin->x;
    g.butY = coin->y;
}

// The rectangle from the anchor to anchor + (W - 1, H - 1).
void Formation__RectangleLibre(Groupe& g) {
    const int t = Taille0(g);
    g.rectangle[0] = g.ancreX;
    g.rectangle[1] = g.ancreY;
    g.rectangle[2] = g.ancreX + g.largeurFormation * t - 1;
    g.rectangle[3] = g.ancreY + g.hauteurFormation * t - 1;
}

void Formation__Coins(int groupe) {
    if (!Groupe__Valide(groupe)) return;
    Groupe& g = TableGroupes[groupe];
    if (!Membre(g, g.chef)) g.chef = 0;
    const Objet& chef = *Membre(g, g.chef);
    for (int& c : g.coins) c = g.chef;
    int xMin = chef.x, yMin = chef.y, xMax = chef.x, yMax = chef.y;
    for (int i = 0; i < g.nbMembres; ++i) {
        const Objet* o = Membre(g, i);
        if (!o) continue;
        if (o->x <= xMin && o->y <= yMin) {
            xMin = o->x; yMin = o->y; g.coins[3] = i;
        } else if (o->x <= xMin && o->y >= yMax) {
            xMin = o->x; yMax = o->y; g.coins[2] = i;
        } else if (o->x >= xMax && o->y <= yMin) {
            xMax = o->x; yMin = o->y; g.coins[1] = i;
        } else if (o->x >= xMax && o->y >= yMax) {
            xMax = o->x; yMax = o->y; g.coins[0] = i;
        }
    }
}

void Formation__Place(int groupe, int, int, int butX, int butY, int colonnes, int lignes, int largeurCase,
                      int hauteurCase) {
    if (!Groupe__Valide(groupe)) return;
    Groupe& g = TableGroupes[groupe];
    const int w = colonnes * largeurCase, h = lignes * hauteurCase;
    g.butLibreX = butX;
    g.butLibreY = butY;
    g.largeurFormation = colonnes;
    g.hauteurFormation = lignes;
    g.destinationOrdreX = butX;
    g.destinationOrdreY = butY;
    Formation__Coins(groupe);
    if (const Objet* coin = Membre(g, g.coins[3])) {
        g.butX = coin->x;
        g.butY = coin->y;
    }
    const bool droite = butX <= g.butX + colonnes - 1;
    const bool dessous = butY <= g.butY + h - 1;
    if (!droite) g.butLibreX = butX - w + 1;
    if (!dessous) g.butLibreY = butY - h + 1;
    g.orientation = droite ? (dessous ? 3 : 2) : (dessous ? 1 : 0);
    g.destinationX = droite ? butX + w - 1 : butX - w + 1;
    g.destinationY = dessous ? butY + h - 1 : butY - h + 1;
}

void Formation__Rectangle(int groupe) {
    if (!Groupe__Valide(groupe)) return;
    Groupe& g = TableGroupes[groupe];
    int ax = g.butX, ay = g.butY;
    if (g.nbMembres == 1) {
        ax = TableObjets[g.membres[0]].x;
        ay = TableObjets[g.membres[0]].y;
    }
    Formation__PoseRectangle(g, ax, ay);
}

void Formation__DestinationUnite(int objet, int groupe) {
    if (!ObjetValide(objet) || !Groupe__Actif(groupe)) return;
    Objet& o = TableObjets[objet];
    const Groupe& g = TableGroupes[groupe];
    if (o.decalageX != 0 || o.decalageY != 0 || MortOuMourant(o) || g.enDeroute != 0) return;
    o.butUniteX = o.destinationX = g.destinationX;
    o.butUniteY = o.destinationY = g.destinationY;
}

void Formation__Reorganise(int groupe) {
    if (!Groupe__Valide(groupe)) return;
    Groupe& g = TableGroupes[groupe];
    g.chef = 0;
    const Objet& premier = *Membre(g, 0);
    const int t = Taille0(g);
    Formation__Place(groupe, premier.x, premier.y, 100, 0, g.largeurFormation, g.hauteurFormation, t, t);
    g.chef = g.coins[g.orientation & 3];
    if (!Membre(g, g.chef)) g.chef = 0;
    g.nbPointsTrajet = 0;
    g.pointCourant = 0;
    const Objet& chef = *Membre(g, g.chef);
    g.butX = g.butLibreX = chef.x;
    g.butY = g.butLibreY = chef.y;
    g.butPrecedentX = g.butX;
    g.butPrecedentY = g.butY;
    Formation__AncreCoin(g);
}

void Groupe__SuitTrajet(int groupe) {
    if (!Groupe__Valide(groupe)) return;
    Groupe& g = TableGroupes[groupe];
    if (g.modeFormation == 4) {
        if (!g.tampon || g.pointCourant < 0 || g.pointCourant >= g.nbPointsTrajet ||
            g.pointCourant >= POINTS_TRAJET_GROUPE)
            return;
        const PointTrajet p = g.tampon[g.pointCourant];
        const int dx = p.x - g.ancreX, dy = p.y - g.ancreY;
        if (Formation__ObstaclesAuPas(groupe, dx, dy) > 0) {
            Groupe__OrdreDeplacement(groupe, g.destinationOrdreX, g.destinationOrdreY, 0, 0);
            g.pasX = g.pasY = 0;
            return;
        }
        g.pasX = dx;
        g.pasY = dy;
        Formation__PoseRectangle(g, p.x, p.y);
        ++g.pointCourant;
    } else if (g.modeFormation == 1 || g.modeFormation == 5) {
        g.ancreX = g.butLibreX;
        g.ancreY = g.butLibreY;
        if (g.nbMembres > 1) g.orientation = 3;
        Formation__RectangleLibre(g);
    }
}

int Formation__ObstaclesAuPas(int groupe, int dx, int dy) {
    if (!Groupe__Valide(groupe)) return 0;
    const Groupe& g = TableGroupes[groupe];
    const uint32_t* carte = CarteDe(*Membre(g, 0));
    if (!carte) return 0;
    int n = 0;
    if (Taille0(g) == 1) {
        for (int i = 0; i < g.nbMembres; ++i) {
            const Objet* o = Membre(g, i);
            if (!o) continue;
            const int x = o->x + dx, y = o->y + dy;
            if (SurCarte(x, y) && Etrangere(carte[x + COTE_CARTE * y], groupe)) ++n;
        }
        return n;
    }
    int x0, y0, x1, y1;
    Bornes(g, &x0, &y0, &x1, &y1);
    for (int x = std::max(x0 + dx, 0); x <= std::min(x1 + dx, COTE_CARTE - 1); ++x)
        for (int y = std::max(y0 + dy, 0); y <= std::min(y1 + dy, COTE_CARTE - 1); ++y)
            if (Etrangere(carte[x + COTE_CARTE * y], groupe)) ++n;
    return n;
}

namespace {

// Over the rectangle's cells on the map: own members' cells, foreign cells, free cells, area.
struct Decompte {
    int propres = 0, etrangeres = 0, libres = 0, aire = 0;
};

Decompte Compte(int groupe) {
    Decompte d;
    const Groupe& g = TableGroupes[groupe];
    const uint32_t* carte = CarteDe(*Membre(g, 0));
    if (!carte) return d;
    int x0, y0, x1, y1;
    Bornes(g, &x0, &y0, &x1, &y1);
    for (int x = std::max(x0, 0); x <= std::min(x1, COTE_CARTE - 1); ++x)
        for (int y = std::max(y0, 0); y <= std::min(y1, COTE_CARTE - 1); ++y) {
            const uint32_t v = carte[x + COTE_CARTE * y];
            ++d.aire;
            if (v == 0) ++d.libres;
            else if (DuGroupe(v, groupe)) ++d.propres;
            else ++d.etrangeres;
        }
    return d;
}

}  // namespace

int Formation__CasesEtrangeres(int groupe) {
    if (!Groupe__Valide(groupe)) return 0;
    return Compte(groupe).etrangeres;
}

int Formation__CasesLibres(int groupe) {
    if (!Groupe__Valide(groupe)) return 0;
    const Decompte d = Compte(groupe);
    const int n = d.libres + d.etrangeres;
    if (Taille0(TableGroupes[groupe]) >= 2 && d.aire - n == TableGroupes[groupe].nbMembres) return 0;
    return n;
}

int Formation__Etablie(int groupe) {
    if (!Groupe__Valide(groupe)) return 0;
    const Groupe& g = TableGroupes[groupe];
    if (g.enDeroute == 1) return 1;
    const Decompte d = Compte(groupe);
    const int etrangeres = 1 + d.etrangeres;
    const int t = Taille0(g);
    if (g.nbMembres > d.propres) return -1;
    if (d.propres == g.nbMembres && etrangeres == 1) return 0;
    if (t >= 2 && d.propres != g.nbMembres && d.propres >= t * t / 2 && etrangeres == 1) return 0;
    return etrangeres;
}

int Groupe__Initialise(int groupe) {
    if (!Groupe__Valide(groupe)) return 0;
    Groupe& g = TableGroupes[groupe];
    g.bloque = 0;
    g.pointsDeVieInitiaux = 0;
    for (int i = 0; i < g.nbMembres; ++i)
        if (const Objet* o = Membre(g, i)) g.pointsDeVieInitiaux += o->pointsDeVie;
    g.enDeroute = 0;
    g.ordresRefuses = 0;
    g.groupeCibleIAPrecedent = -1;
    g.attaqueLancee = 0;
    g.geree = 1;
    g.chef = 0;
    g.compteurPoursuite = 0;
    g.ordreAttaque = 0;
    if (ModeSceneCourant != 0) g.engagementLibre = 1;
    g.largeurFormation = g.colonnes;
    g.hauteurFormation = g.lignes;
    g.nouvelOrdre = 1;
    g.toursArrivee = 0;
    g.placee = 1;
    if (g.etatGroupe == 0) g.etatGroupe = 1;
    if (g.enFuite != 1) g.enFuite = 0;

    const Objet& premier = *Membre(g, 0);
    const int t = Taille0(g);
    Formation__Place(groupe, premier.x, premier.y, premier.x, premier.y, g.colonnes, g.lignes, t, t);
    g.chef = g.coins[g.orientation & 3];
    if (!Membre(g, g.chef)) g.chef = 0;
    Objet& chef = *Membre(g, g.chef);
    g.chefInitialX = chef.x;
    g.chefInitialY = chef.y;
    chef.prochaineCaseX = chef.x;
    chef.prochaineCaseY = chef.y;
    g.ancreX = g.butX = chef.x;
    g.ancreY = g.butY = chef.y;
    g.butPrecedentX = g.butX;
    g.butPrecedentY = g.butY;

    for (int i = 0; i < g.nbMembres; ++i) {
        Objet* o = Membre(g, i);
        if (!o) continue;
        o->chefGroupe = g.chef;
        o->ecartChefX = chef.x - o->x;
        o->ecartChefY = chef.y - o->y;
        o->butUniteX = g.butX;
        o->butUniteY = g.butY;
        o->prochaineCaseX = o->x;
        o->prochaineCaseY = o->y;
        o->destinationX = o->butUniteX;
        o->destinationY = o->butUniteY;
        Formation__DestinationUnite(g.membres[i], groupe);
        if (!MortOuMourant(*o) && o->ordreSecondaire != 1) o->ordreSecondaire = 2;
        o->animation = 0;
        o->modeDeplacement = 4;
        o->numeroObjet = g.membres[i];
    }

    TrajetLisseNombre = 0;
    g.pointCourant = 0;
    Formation__AncreCoin(g);
    g.aGlisse = 0;
    g.suiviDemarre = 0;
    if (g.modeFormation != g.modeFormationMaitre && g.enFuite == 0 && Formation__Etablie(groupe) == 0) {
        g.modeFormation = g.modeFormationMaitre;
        Formation__RectangleLibre(g);
    }
    g.aGlisse = 1;
    if (g.modeFormation == 1) {
        g.enFuite = 1;
        g.nbPointsTrajet = g.pointCourant;
    }
    Formation__Rectangle(groupe);
    return 1;
}
