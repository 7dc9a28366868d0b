#include "campaign/region_chemin.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>

#include "battle/astar.h"
#include "battle/chemin.h"
#include "campaign/region.h"
#include "foundation/listes.h"
#include "foundation/objetsgfx.h"
#include "shell/trame.h"
#include "world/groupes.h"
#include "world/objets.h"
#include "world/univers.h"

namespace {

constexpr int FAMILLE_REGIMENT = 23;

int Cle(int x, int y) { return x + REGION_LARGEUR * y; }

bool Dedans(int x, int y) { return x >= 0 && x < REGION_LARGEUR && y >= 0 && y < REGION_HAUTEUR; }

int32_t Cout(int x, int y, int r) {
    if (r < 0 || r >= REGIMENTS_REGION || !Dedans(x, y)) return -1;
    return Region__CoutTerrain(RegimentsRegion[static_cast<size_t>(r)], Region__Terrain(x, y));
}

// The straight-line distance between two cells, rounded.
int32_t Distance(int x0, int y0, int x1, int y1) {
    return static_cast<int32_t>(std::lround(std::sqrt(static_cast<double>((x1 - x0) * (x1 - x0) + (y1 - y0) * (y1 - y0)))));
}

constexpr int VOISINS[8][2] = {{-1, -1}, {-1, 0}, {-1, 1}, {0, -1}, {0, 1}, {1, -1}, {1, 0}, {1, 1}};

// The terrain grid put back as it was on every way out of a search.
class TerrainGarde {
  public:
    explicit TerrainGarde(CarteRegion* c) : carte_(c) {
        if (c) copie_ = c->terrain;
    }
    ~TerrainGarde() {
        if (carte_) carte_->terrain = copie_;
    }
    TerrainGarde(const TerrainGarde&) = delete;
    TerrainGarde& operator=(const TerrainGarde&) = delete;

  private:
    CarteRegion* carte_;
    GrilleRegion copie_{};
};

}  // namespace

int RegionAjouterNoeud(int x, int y, int32_t coutParcouru, int32_t coutEstime, int32_t cleParent) {
    if (AstarOuverts == nullptr || AstarOuvertsNombre >= NOEUDS_ASTAR) return 1;
    AstarOuverts[AstarOuvertsNombre++] = NoeudAstar{x, y, coutEstime, coutParcouru, cleParent, Cle(x, y)};
    return 0;
}

void RegionLigneDeVue(int xBut, int yBut, int xDepart, int yDepart, int* x, int* y, int r) {
    *x = xBut;
    *y = yBut;
    int cx = xBut, cy = yBut;
    const int dx = std::abs(xDepart - xBut), dy = -std::abs(yDepart - yBut);
    const int sx = xBut < xDepart ? 1 : -1, sy = yBut < yDepart ? 1 : -1;
    int e = dx + dy;
    for (;;) {
        if (!(cx == xBut && cy == yBut) && Cout(cx, cy, r) != -1) {
            *x = cx;
            *y = cy;
            return;
        }
        if (cx == xDepart && cy == yDepart) return;
        const int e2 = 2 * e;
        if (e2 >= dy) {
            e += dy;
            cx += sx;
        }
        if (e2 <= dx) {
            e += dx;
            cy += sy;
        }
    }
}

int RegionRechercheChemin(int x0, int y0, int x1, int y1, int32_t* nombre, PointTrajet* points, int r) {
    *nombre = 0;
    if ((AstarOuverts == nullptr || TrajetBrut == nullptr) && !Trajet__AlloueTampons()) return 1;
    TrajetBrutNombre = 0;
    AstarOuvertsNombre = AstarFermesNombre = 0;
    if (!Dedans(x0, y0) || !Dedans(x1, y1)) return 1;
    if (Cout(x1, y1, r) == -1) RegionLigneDeVue(x1, y1, x0, y0, &x1, &y1, r);
    RegionAjouterNoeud(x0, y0, 0, Distance(x0, y0, x1, y1), -1);
    bool atteint = false;
    NoeudAstar pris{};
    while (AstarOuvertsNombre > 0) {
        const int i = Astar__MeilleurOuvert();
        pris = AstarOuverts[i];
        if (pris.x == x1 && pris.y == y1) {
            atteint = true;
            break;
        }
        for (const auto& v : VOISINS) {
            const int nx = pris.x + v[0], ny = pris.y + v[1];
            if (!Dedans(nx, ny) || Cout(nx, ny, r) == -1) continue;
            const int32_t g = pris.coutParcouru + 1;
            const int ouvert = Astar__ChercheOuvert(nx, ny);
            if (ouvert >= 0 && AstarOuverts[ouvert].coutParcouru <= g) continue;
            const int ferme = Astar__ChercheFerme(nx, ny);
            if (ferme >= 0) {
                if (AstarFermes[ferme].coutParcouru <= g) continue;
                Astar__RetireFerme(ferme);
            }
            if (ouvert < 0 &&
                RegionAjouterNoeud(nx, ny, g, Distance(nx, ny, x1, y1) * (std::clamp(Region__Terrain(nx, ny), 0, 4) + 1), pris.cle))
                return 1;
        }
        if (Astar__AjouteFerme(&pris)) return 1;
        Astar__RetireOuvert(Astar__ChercheOuvertCle(pris.cle));
    }
    // A search that ran dry has no path: a partial one would end with a jump to the goal.
    if (!atteint) return 1;
    for (int cle = pris.cleParent; cle >= 0;) {
        if (TrajetBrutNombre >= POINTS_TAMPON_TRAJET - 1) return 1;
        int k = Astar__ChercheFermeCle(cle);
        const NoeudAstar* n = k >= 0 ? &AstarFermes[k] : nullptr;
        if (n == nullptr) {
            k = Astar__ChercheOuvertCle(cle);
            if (k < 0) return 1;
            n = &AstarOuverts[k];
        }
        TrajetBrut[TrajetBrutNombre++] = PointTrajet{n->x, n->y};
        if (n->x == x0 && n->y == y0) break;
        cle = n->cleParent;
    }
    int32_t c = 0;
    for (int k = TrajetBrutNombre - 1; k >= 0; --k) points[c++] = TrajetBrut[k];
    points[c++] = PointTrajet{x1, y1};
    *nombre = c;
    return 0;
}

int Region__calculerChemin(int x0, int y0, int x1, int y1, int r) {
    Objet* courant = ObjetCourant;
    int32_t n = 0;
    {
        TerrainGarde garde(CarteRegionCourante);
        if (CarteRegionCourante && courant)
            for (NoeudEntier* nd = ListeObjetsVivants; nd && nd->suivant; nd = nd->suivant) {
                if (nd->valeur < 1 || nd->valeur >= NOMBRE_OBJETS) continue;
                const Objet& o = TableObjets[static_cast<size_t>(nd->valeur)];
                if (o.noeudListe == nullptr || o.famille != FAMILLE_REGIMENT || o.armee != courant->armee ||
                    o.sorts[0] == courant->sorts[0] || !Dedans(o.x, o.y))
                    continue;
                CarteRegionCourante->terrain[static_cast<size_t>(o.x * REGION_HAUTEUR + o.y)] = 4;
            }
        if (TrajetLisse == nullptr && !Trajet__AlloueTampons()) return 0;
        RegionRechercheChemin(x0, y0, x1, y1, &n, TrajetLisse, r);
    }
    int32_t total = 0;
    for (int i = 0; i < n; ++i) {
        const int32_t c = Cout(TrajetLisse[i].x, TrajetLisse[i].y, r);
        if (c == -1) {
            n = i;
            break;
        }
        total += c;
    }
    if (r >= 0 && r < REGIMENTS_REGION) {
        RegimentsRegion[static_cast<size_t>(r)].compteurTour = -1;
        RegimentsRegion[static_cast<size_t>(r)].coutChemin = total;
    }
    if (courant && Groupe__Actif(courant->groupe)) {
        Groupe& g = TableGroupes[static_cast<size_t>(courant->groupe)];
        if (g.tampon == nullptr) g.tampon = new PointTrajet[POINTS_TRAJET_GROUPE]();
        g.pointCourant = 0;
        g.nbPointsTrajet = n;
        std::copy(TrajetLisse, TrajetLisse + n, g.tampon);
    }
    return n;
}

void RegionRegimentFixerChemin(int r, int nombre) {
    if (r < 0 || r >= REGIMENTS_REGION) return;
    RegimentRegion& reg = RegimentsRegion[static_cast<size_t>(r)];
    if (nombre < 2 || TrajetLisse == nullptr) {
        reg.nbPoints = -1;
        return;
    }
    reg.nbPoints = std::min(nombre, POINTS_CHEMIN_REGION);
    for (int i = 0; i < reg.nbPoints; ++i) {
        reg.chemin[i].x = TrajetLisse[i].x;
        reg.chemin[i].y = TrajetLisse[i].y;
    }
}

std::vector<FlecheChemin> RegionFlechesChemin(const Groupe& g, const RegimentRegion& r) {
    // Frame and offset of the arrow of each step, by (dx, dy).
    struct Pas {
        int dx, dy, image, ox, oy;
    };
    static constexpr Pas PAS[8] = {{0, -1, 0, 14, 4}, {1, -1, 1, 6, 8}, {1, 0, 2, 10, 8}, {1, 1, 3, 6, 0},
                                   {0, 1, 4, 14, 4},  {-1, 1, 5, 14, 0}, {-1, 0, 6, 10, 8}, {-1, -1, 7, 14, 8}};
    std::vector<FlecheChemin> fleches;
    if (g.tampon == nullptr) return fleches;
    const int c = std::min(g.nbPointsTrajet, POINTS_TRAJET_GROUPE);
    int32_t reste = r.pointsCourants;
    for (int i = std::max(g.pointCourant, 1); i < c; ++i) {
        const PointTrajet a = g.tampon[i - 1], b = g.tampon[i];
        const int dx = b.x - a.x, dy = b.y - a.y;
        if (dx == 0 && dy == 0) continue;
        reste -= Region__CoutTerrain(r, Region__Terrain(b.x, b.y));
        for (const Pas& p : PAS)
            if (p.dx == dx && p.dy == dy)
                fleches.push_back({reste >= 0 ? GFX_FLECHE : GFX_FLECHE_EPUISEE, p.image,
                                   (b.x - RepereX) * 24 + p.ox, (b.y - RepereY) * 24 + p.oy});
    }
    return fleches;
}

void RegionDessinerChemin() {
    const Objet* o = ObjetCourant;
    if (o == nullptr || o->famille != FAMILLE_REGIMENT || o->sorts[0] < 0 || o->sorts[0] >= REGIMENTS_REGION ||
        !Groupe__Actif(o->groupe))
        return;
    for (const FlecheChemin& f :
         RegionFlechesChemin(TableGroupes[static_cast<size_t>(o->groupe)], RegimentsRegion[static_cast<size_t>(o->sorts[0])]))
        Sprite__AfficheTrs50(f.objet, f.x, f.y, f.image);
}

void RegionDessinerChemins() {
    Objet* avant = ObjetCourant;
    for (NoeudEntier* nd = ListeObjetsVivants; nd && nd->suivant; nd = nd->suivant) {
        if (nd->valeur < 1 || nd->valeur >= NOMBRE_OBJETS) continue;
        Objet& o = TableObjets[static_cast<size_t>(nd->valeur)];
        if (o.noeudListe == nullptr || o.famille != FAMILLE_REGIMENT || o.sorts[0] < 0 || o.sorts[0] >= REGIMENTS_REGION ||
            RegimentsRegion[static_cast<size_t>(o.sorts[0])].nbPoints < 2)
            continue;
        ObjetCourant = &o;
        RegionDessinerChemin();
    }
    ObjetCourant = avant;
}
