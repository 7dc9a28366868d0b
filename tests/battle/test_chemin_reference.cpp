// The planner against a plain transcription of its rules, built on the one-cell blocking test
// alone (no kept answers, each contour walked to its end one step at a time): on random maps, the
// same plans point for point, the same raw path, the same formation flags, and the same contour
// walks (code, count, cells, last cell).
#include "occupation_fixture.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

struct Plan {
    int r = 0;
    std::vector<PointTrajet> lisse, brut;
    int32_t modeFormation = 0, enFuite = 0;
};

struct Contour {
    int code = 0;
    std::vector<PointTrajet> points;
    int xFin = 0, yFin = 0;
};

class Reference {
  public:
    Reference(const uint32_t* carte, int objet, int groupe) : carte_(carte), objet_(objet), groupe_(groupe) {}

    bool B(int x, int y) const { return Trajet__CaseBloquee(x, y, carte_, 0, objet_, groupe_) != 0; }

    static int DirectionDuPas(int dx, int dy) {
        for (int k = 0; k < 8; ++k)
            if (DirectionDx[k] == dx && DirectionDy[k] == dy) return k;
        return 0;
    }

    // The line's cells after (x0, y0) up to and including the target.
    static std::vector<PointTrajet> Ligne(int x0, int y0, int tx, int ty) {
        int dx = std::abs(tx - x0), dy = std::abs(ty - y0);
        const int sx = (tx > x0) - (tx < x0), sy = (ty > y0) - (ty < y0);
        const bool raide = dy > dx;
        if (raide) std::swap(dx, dy);
        int err = 2 * dy - dx, x = x0, y = y0;
        std::vector<PointTrajet> p;
        for (int reste = dx; reste > 0; --reste) {
            while (err >= 0) {
                if (raide)
                    x += sx;
                else
                    y += sy;
                err -= 2 * dx;
            }
            if (raide)
                y += sy;
            else
                x += sx;
            err += 2 * dy;
            p.push_back({x, y});
        }
        return p;
    }

    int Marche(std::vector<PointTrajet>* brut, int x, int y, int xb, int yb, int* lx, int* ly, int* rx, int* ry,
               int* dir) const {
        *rx = xb, *ry = yb;
        if (x == xb && y == yb) {
            *lx = x, *ly = y;
            return 0;
        }
        int px = x, py = y;
        bool bloque = false;
        for (const PointTrajet c : Ligne(x, y, xb, yb)) {
            const bool libre = !B(c.x, c.y);
            if (!bloque) {
                if (libre) {
                    if (brut) {
                        brut->push_back(c);
                        if (brut->size() >= POINTS_TAMPON_TRAJET) return 0;
                    }
                } else {
                    bloque = true;
                    *lx = px, *ly = py;
                    *dir = DirectionDuPas(c.x - px, c.y - py);
                }
            } else if (libre) {
                *rx = c.x, *ry = c.y;
                break;
            }
            px = c.x, py = c.y;
        }
        if (bloque) return 1;
        *lx = *rx = x;
        *ly = *ry = y;
        return 0;
    }

    bool Contient(int x, int y, int ox, int oy, int cx, int cy) const {
        return cx >= x + ox && cx < x + ox + TrajetEmpriseLargeur && cy >= y + oy && cy < y + oy + TrajetEmpriseHauteur;
    }
    bool PresDe(int x, int y, int ox, int oy, int cx, int cy) const {
        const int rx = cx - (x + ox), ry = cy - (y + oy);
        return rx >= -1 && rx <= TrajetEmpriseLargeur && ry >= -1 && ry <= TrajetEmpriseHauteur;
    }
    void Decalage(int* ox, int* oy) const {
        *ox = *oy = 0;
        if (!Groupe__Actif(groupe_)) return;
        const Groupe& g = TableGroupes[groupe_];
        if (g.nbMembres < 1 || !g.membres || g.membres[0] < 1 || g.membres[0] >= NOMBRE_OBJETS || g.nbMembres <= 1)
            return;
        const int w = TrajetEmpriseLargeur, h = TrajetEmpriseHauteur;
        if (g.orientation == 0) *ox = 1 - w, *oy = 1 - h;
        if (g.orientation == 1) *ox = 1 - w;
        if (g.orientation == 2) *oy = 1 - h;
    }

    // One walk, every step taken, appending to `c.points` (which holds the caller's count).
    Contour Marcher(int sens, int xd, int yd, int xr, int yr, int d, int xb, int yb, std::vector<PointTrajet> p) const {
        Contour c;
        c.points = std::move(p);
        auto T = [](int d, int n) { return (d + n) & 7; };
        d &= 7;
        c.xFin = xd, c.yFin = yd;
        int cx = xd, cy = yd, pas = 0, total = 0, ox, oy;
        Decalage(&ox, &oy);
        const bool grand = TrajetEmpriseLargeur > 1 || TrajetEmpriseHauteur > 1;
        const int m = grand ? 3 : 0;
        auto Bd = [&](int dir) { return B(cx + DirectionDx[dir], cy + DirectionDy[dir]); };
        for (int essai = 0; essai < 8; ++essai) {
            const bool trouve = !Bd(T(d, sens)) && Bd(d);
            d = T(d, sens);
            if (trouve) break;
        }
        auto Fin = [&](CodeContour code) {
            c.code = code;
            return c;
        };
        for (;;) {
            ++pas;
            if (++total > 128 * (PAS_CONTOUR_MAX + 1)) return Fin(CONTOUR_TROP_LONG);
            int tour = -sens;
            const int d0 = d;
            bool tourne = false, choisi = false;
            const bool presReprise = pas > m && PresDe(cx, cy, ox, oy, xr, yr);
            for (int k = 0; k < 8; ++k) {
                if (!choisi) {
                    if (!Bd(d) && Bd(T(d, tour))) {
                        if (d == d0 % 4 && tourne) {
                            d = d0;
                            tour = sens;
                        } else {
                            choisi = true;
                        }
                    }
                    if (!choisi) {
                        tourne = true;
                        d = T(d, tour);
                    }
                }
                if (presReprise && Contient(cx + DirectionDx[k], cy + DirectionDy[k], ox, oy, xr, yr)) {
                    const bool pris = k % 2 == 1 ? !Bd(T(k, -1)) && !Bd(T(k, 1)) : !grand;
                    if (pris) {
                        d = k;
                        break;
                    }
                }
            }
            if (pas > TrajetEmpriseLargeur + 4 && PresDe(cx, cy, ox, oy, xd, yd)) {
                for (int j = 0; j < 8; ++j) {
                    if (Contient(cx + DirectionDx[j], cy + DirectionDy[j], ox, oy, xd, yd)) {
                        int lx, ly, rx, ry, dir;
                        if (Marche(nullptr, xr, yr, xb, yb, &lx, &ly, &rx, &ry, &dir) == 0) return Fin(CONTOUR_BOUCLE);
                        xr = rx, yr = ry;
                        c.xFin = rx, c.yFin = ry;
                        c.points.clear();
                        pas = 0;
                        break;
                    }
                }
            }
            const int nx = cx + DirectionDx[d], ny = cy + DirectionDy[d];
            if (nx < 0 || nx >= 128 || ny < 0 || ny >= 128) return Fin(CONTOUR_SORTIE);
            c.points.push_back({nx, ny});
            if (c.points.size() >= POINTS_TAMPON_TRAJET) return Fin(CONTOUR_SORTIE);
            cx = nx, cy = ny;
            if (pas > PAS_CONTOUR_MAX) return Fin(CONTOUR_TROP_LONG);
            c.xFin = cx, c.yFin = cy;
            if (pas > m && Contient(cx, cy, ox, oy, xr, yr)) return Fin(CONTOUR_ATTEINT);
        }
    }

    bool Visible(int ax, int ay, int bx, int by) const {
        if (ax == bx && ay == by) return true;
        if (B(ax, ay)) return false;
        const std::vector<PointTrajet> l = Ligne(ax, ay, bx, by);
        for (size_t i = 0; i + 1 < l.size(); ++i)
            if (B(l[i].x, l[i].y)) return false;
        return true;
    }

    void Lissage(const std::vector<PointTrajet>& brut, std::vector<PointTrajet>& lisse) const {
        const int n = static_cast<int>(brut.size());
        auto Ajoute = [&](PointTrajet p) {
            if (lisse.size() >= POINTS_TAMPON_TRAJET) return false;
            lisse.push_back(p);
            return true;
        };
        int i = 0;
        while (i < n && lisse.size() < POINTS_TAMPON_TRAJET) {
            int j = n - 1;
            while (j > i && !Visible(brut[i].x, brut[i].y, brut[j].x, brut[j].y)) --j;
            const PointTrajet a = brut[i], b = brut[j];
            if ((a.x != b.x || a.y != b.y) && Ajoute(a))
                for (const PointTrajet c : Ligne(a.x, a.y, b.x, b.y)) {
                    if (c.x == b.x && c.y == b.y) break;
                    if (!Ajoute(c)) break;
                }
            if (!Ajoute(b)) break;
            i = j + 1;
        }
    }

    // The whole plan; the group's flags are changed as the planner changes them.
    Plan Calcul(int xd, int yd, int xb, int yb) {
        Plan p;
        const bool g = Groupe__Actif(groupe_) && TableGroupes[groupe_].nbMembres >= 1 && TableGroupes[groupe_].membres &&
                       TableGroupes[groupe_].membres[0] >= 1 && TableGroupes[groupe_].membres[0] < NOMBRE_OBJETS;
        if (!g && groupe_ > 0) return {1, {}, {}};
        if (g) {
            const Groupe& gr = TableGroupes[groupe_];
            const int t = TableObjets[gr.membres[0]].taille;
            TrajetEmpriseLargeur = gr.largeurFormation * t;
            TrajetEmpriseHauteur = gr.hauteurFormation * t;
        } else {
            groupe_ = -1;
            TrajetEmpriseLargeur = TrajetEmpriseHauteur =
                objet_ > 0 && objet_ < NOMBRE_OBJETS ? TableObjets[objet_].taille : 1;
        }
        TrajetEmpriseLargeur = std::max(TrajetEmpriseLargeur, 1);
        TrajetEmpriseHauteur = std::max(TrajetEmpriseHauteur, 1);
        auto Libre = [&] {
            if (!Groupe__Actif(groupe_)) return;
            TableGroupes[groupe_].modeFormation = 1;
            TableGroupes[groupe_].enFuite = 1;
        };
        if (B(xb, yb)) {
            int nx = xd, ny = yd;
            for (const PointTrajet c : Ligne(xb, yb, xd, yd)) {
                if (c.x == xd && c.y == yd) break;
                if (!B(c.x, c.y)) {
                    nx = c.x, ny = c.y;
                    break;
                }
            }
            xb = nx, yb = ny;
            Libre();
        }
        int ret1 = 0, ret2 = 0, cx = xd, cy = yd;
        for (int tour = 0; cx != xb || cy != yb; ++tour) {
            if (tour >= POINTS_TAMPON_TRAJET) return {1, {}, p.brut};
            int lx, ly, rx, ry, dir = 0;
            if (Marche(&p.brut, cx, cy, xb, yb, &lx, &ly, &rx, &ry, &dir) == 0) break;
            const Contour c1 = Marcher(1, lx, ly, rx, ry, dir, xb, yb, {});
            const Contour c2 = Marcher(-1, lx, ly, rx, ry, dir, xb, yb, {});
            ret1 = c1.code, ret2 = c2.code;
            const int n1 = static_cast<int>(c1.points.size()), n2 = static_cast<int>(c2.points.size());
            if (ret1 == CONTOUR_SORTIE && ret2 == CONTOUR_SORTIE) return {1, {}, p.brut};
            if ((ret1 == CONTOUR_BOUCLE && ret2 == CONTOUR_BOUCLE) ||
                (ret1 == CONTOUR_TROP_LONG && ret2 == CONTOUR_TROP_LONG)) {
                Libre();
                break;
            }
            const Contour* pris = nullptr;
            if (ret1 >= 0 && (n1 < n2 || ret2 == CONTOUR_BOUCLE))
                pris = &c1;
            else if (ret2 >= 0)
                pris = &c2;
            if (pris) {
                if (p.brut.size() + pris->points.size() >= POINTS_TAMPON_TRAJET) return {1, {}, p.brut};
                p.brut.insert(p.brut.end(), pris->points.begin(), pris->points.end());
                cx = pris->xFin, cy = pris->yFin;
            } else {
                cx = rx, cy = ry;
            }
        }
        if ((ret1 == CONTOUR_BOUCLE || ret2 == CONTOUR_BOUCLE) && p.brut.size() >= POINTS_TAMPON_TRAJET)
            return {1, {}, p.brut};
        Lissage(p.brut, p.lisse);
        return p;
    }

  private:
    const uint32_t* carte_;
    int objet_, groupe_;
};

class CheminReference : public CarteEssai {
  protected:
    uint32_t* Base() { return CarteOccupationSolBase; }
    void Mur(int x0, int y0, int x1, int y1) {
        for (int x = std::max(x0, 0); x <= std::min(x1, 127); ++x)
            for (int y = std::max(y0, 0); y <= std::min(y1, 127); ++y) Base()[x + 128 * y] = OBSTACLE_FIXE;
    }
};

void Egaux(const std::vector<PointTrajet>& a, const PointTrajet* b, int nb, const char* quoi, int essai) {
    ASSERT_EQ(static_cast<int>(a.size()), nb) << quoi << ", map " << essai;
    for (int i = 0; i < nb; ++i) {
        ASSERT_EQ(a[i].x, b[i].x) << quoi << " point " << i << ", map " << essai;
        ASSERT_EQ(a[i].y, b[i].y) << quoi << " point " << i << ", map " << essai;
    }
}

// Random maps with walls, rings (round which a walk can loop until it gives up), scattered cells
// and the map's edges; single units of size 1 or 2 on the base map, and formations of every
// orientation on the live map among other groups' units.
TEST_F(CheminReference, MemesPlansQueLaTranscription) {
    uint32_t graine = 2024;
    auto Hasard = [&](int n) {
        graine = graine * 1103515245u + 12345u;
        return static_cast<int>((graine >> 16) % static_cast<uint32_t>(n));
    };
    for (int essai = 0; essai < 1500; ++essai) {
        ASSERT_EQ(Univers__AlloueCartes(), 1);
        std::fill(GrilleUnites, GrilleUnites + CASES_CARTE, 0);
        const int cote = 24 + Hasard(3) * 20;
        const int ox = Hasard(128 - cote + 1), oy = Hasard(128 - cote + 1);
        for (int m = Hasard(10); m > 0; --m) {
            const int x = ox + Hasard(cote), y = oy + Hasard(cote), l = 1 + Hasard(cote);
            if (Hasard(2))
                Mur(x, y, x + l, y);
            else
                Mur(x, y, x, y + l);
        }
        for (int a = Hasard(4); a > 0; --a) {
            const int x = ox + Hasard(cote), y = oy + Hasard(cote), l = 3 + Hasard(12), h = 3 + Hasard(12);
            Mur(x, y, x + l, y), Mur(x, y + h, x + l, y + h), Mur(x, y, x, y + h), Mur(x + l, y, x + l, y + h);
            if (Hasard(2)) Base()[std::min(x + l / 2, 127) + 128 * std::min(y + h, 127)] = 0;   // a gap
        }
        for (int k = Hasard(80); k > 0; --k) Base()[(ox + Hasard(cote)) + 128 * (oy + Hasard(cote))] = OBSTACLE_FIXE;
        const int x0 = ox + Hasard(cote), y0 = oy + Hasard(cote), x1 = ox + Hasard(cote), y1 = oy + Hasard(cote);
        const int taille = 1 + (Hasard(4) == 0);
        Unite(5, x0, y0, taille);
        const bool formation = Hasard(3) == 0;
        const uint32_t* carte = Base();
        int objet = 5, groupe = -1;
        // A unit of size 2 alone is tested on the live map.
        std::copy(Base(), Base() + CASES_CARTE, CarteOccupationSol);
        if (formation) {
            Groupe& g = GroupeAvec(2, {5, 6});
            Unite(6, x0, y0, taille, 1, 2);
            GroupeAvec(3, {7, 8});
            // Other units on the live map: the group's own, its target's and strangers'.
            for (int k = Hasard(40); k > 0; --k) {
                const int u = 5 + Hasard(5), x = ox + Hasard(cote), y = oy + Hasard(cote);
                if (u == 9) TableObjets[9].groupe = 4;
                GrilleUnites[x + 128 * y] = u;
                CarteOccupationSol[x + 128 * y] = static_cast<uint32_t>(u);
            }
            g.largeurFormation = 1 + Hasard(4);
            g.hauteurFormation = 1 + Hasard(4);
            g.orientation = Hasard(4);
            g.groupeCibleIA = Hasard(2) ? 3 : -1;
            carte = CarteOccupationSol;
            objet = 0;
            groupe = 2;
        }
        auto Drapeaux = [&] {
            return groupe > 0 ? std::pair{TableGroupes[groupe].modeFormation, TableGroupes[groupe].enFuite}
                              : std::pair{0, 0};
        };
        const auto avant = Drapeaux();
        Plan attendu = Reference(carte, objet, groupe).Calcul(x0, y0, x1, y1);
        const auto apresReference = Drapeaux();
        if (groupe > 0) TableGroupes[groupe].modeFormation = avant.first, TableGroupes[groupe].enFuite = avant.second;

        const int r = Trajet__Calcul(x0, y0, x1, y1, &TrajetLisseNombre, TrajetLisse, carte, objet, groupe);
        ASSERT_EQ(r, attendu.r) << "map " << essai;
        ASSERT_EQ(Drapeaux(), apresReference) << "map " << essai;
        Egaux(attendu.lisse, TrajetLisse, TrajetLisseNombre, "smoothed", essai);
        Egaux(attendu.brut, TrajetBrut, TrajetBrutNombre, "raw", essai);

        // The walks alone, from a free cell beside the first obstacle met towards the goal.
        int lx, ly, rx, ry, dir = 0;
        const Reference ref(carte, objet, groupe);
        if (ref.Marche(nullptr, x0, y0, x1, y1, &lx, &ly, &rx, &ry, &dir) == 0) continue;
        for (const int sens : {1, -1}) {
            // Some walks append to points already in their buffer.
            const int deja = Hasard(3) == 0 ? Hasard(POINTS_TAMPON_TRAJET) : 0;
            std::vector<PointTrajet> avantPoints(static_cast<size_t>(deja), PointTrajet{3, 4});
            PointTrajet* tampon = sens > 0 ? TrajetTrigo : TrajetTrigoInverse;
            int32_t& nombre = sens > 0 ? TrajetTrigoNombre : TrajetTrigoInverseNombre;
            std::copy(avantPoints.begin(), avantPoints.end(), tampon);
            nombre = deja;
            const Contour c = ref.Marcher(sens, lx, ly, rx, ry, dir, x1, y1, avantPoints);
            int fx = -7, fy = -7;
            const int code = sens > 0 ? Trajet__ContourTrigo(lx, ly, rx, ry, dir, carte, x1, y1, &fx, &fy, objet, groupe)
                                      : Trajet__ContourTrigoInverse(lx, ly, rx, ry, dir, carte, x1, y1, &fx, &fy,
                                                                    objet, groupe);
            ASSERT_EQ(code, c.code) << "sens " << sens << ", map " << essai;
            ASSERT_EQ(fx, c.xFin) << "sens " << sens << ", map " << essai;
            ASSERT_EQ(fy, c.yFin) << "sens " << sens << ", map " << essai;
            Egaux(c.points, tampon, nombre, sens > 0 ? "trigo" : "trigoinv", essai);
        }
    }
}

// Walks handed a rectangle of no width or height (every cell free, none covered) or of one or two
// cells, from cells near the map's edge and inside it, with resume cells and starts beside them.
TEST_F(CheminReference, MarchesDeRectanglesVidesCommeLaTranscription) {
    ASSERT_EQ(Univers__AlloueCartes(), 1);
    std::fill(GrilleUnites, GrilleUnites + CASES_CARTE, 0);
    Mur(60, 40, 60, 80);
    Mur(0, 10, 20, 10);
    Unite(5, 30, 30);
    std::copy(Base(), Base() + CASES_CARTE, CarteOccupationSol);
    struct Cas {
        int w, h, x, y, rx, ry, d;
    };
    for (const Cas c : {Cas{0, 1, 59, 60, 61, 60, 0}, Cas{1, 0, 59, 60, 61, 60, 0}, Cas{-1, 2, 59, 60, 61, 61, 0},
                        Cas{0, 0, 5, 9, 5, 11, 6}, Cas{1, 1, 59, 60, 61, 60, 0}, Cas{2, 1, 5, 9, 5, 11, 6},
                        Cas{1, 2, 59, 45, 61, 46, 0}, Cas{1, 1, 0, 9, 0, 11, 6}}) {
        for (const int sens : {1, -1}) {
            TrajetEmpriseLargeur = c.w;
            TrajetEmpriseHauteur = c.h;
            const Reference ref(Base(), 5, -1);
            const Contour attendu = ref.Marcher(sens, c.x, c.y, c.rx, c.ry, c.d, 100, 60, {});
            PointTrajet* tampon = sens > 0 ? TrajetTrigo : TrajetTrigoInverse;
            int32_t& nombre = sens > 0 ? TrajetTrigoNombre : TrajetTrigoInverseNombre;
            nombre = 0;
            int fx = -7, fy = -7;
            const int code = sens > 0 ? Trajet__ContourTrigo(c.x, c.y, c.rx, c.ry, c.d, Base(), 100, 60, &fx, &fy, 5, -1)
                                      : Trajet__ContourTrigoInverse(c.x, c.y, c.rx, c.ry, c.d, Base(), 100, 60, &fx, &fy,
                                                                    5, -1);
            const int cas = c.w * 100 + c.h * 10 + sens;
            ASSERT_EQ(code, attendu.code) << "case " << cas;
            ASSERT_EQ(fx, attendu.xFin) << "case " << cas;
            ASSERT_EQ(fy, attendu.yFin) << "case " << cas;
            Egaux(attendu.points, tampon, nombre, sens > 0 ? "trigo" : "trigoinv", cas);
        }
    }
}

}  // namespace
