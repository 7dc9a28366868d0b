// The path planner: straight walks, contours round obstacles both ways, the goal moved off an
// obstacle, smoothing, formations, and a property run over random small maps.
#include "occupation_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

class Chemin : public CarteEssai {
  protected:
    uint32_t* Base() { return CarteOccupationSolBase; }
    void Mur(int x0, int y0, int x1, int y1) {
        for (int x = x0; x <= x1; ++x)
            for (int y = y0; y <= y1; ++y) Base()[x + 128 * y] = OBSTACLE_FIXE;
    }
    // A single unit's plan on the base map, as its own move order makes it.
    int Planifie(int x0, int y0, int x1, int y1, int n = 5) {
        Unite(n, x0, y0);
        return Trajet__Calcul(x0, y0, x1, y1, &TrajetLisseNombre, TrajetLisse, Base(), n, -1);
    }
    std::vector<PointTrajet> Lisse() const { return {TrajetLisse, TrajetLisse + TrajetLisseNombre}; }
    // Every point on the map, each one step from the one before (the first from the start), and
    // none on a static cell.
    void Valide(int x0, int y0, const std::vector<PointTrajet>& p, bool libres = true) {
        int px = x0, py = y0;
        for (size_t i = 0; i < p.size(); ++i) {
            ASSERT_TRUE(p[i].x >= 0 && p[i].x < 128 && p[i].y >= 0 && p[i].y < 128) << i;
            EXPECT_LE(std::abs(p[i].x - px), 1) << "point " << i;
            EXPECT_LE(std::abs(p[i].y - py), 1) << "point " << i;
            if (libres) {
                EXPECT_NE(Base()[p[i].x + 128 * p[i].y], OBSTACLE_FIXE) << "point " << i << " " << p[i].x << "," << p[i].y;
            }
            px = p[i].x;
            py = p[i].y;
        }
    }
    std::string Dessin(int x0, int y0, int x1, int y1) {
        std::string s;
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                char c = Base()[x + 128 * y] ? '#' : '.';
                for (auto p : Lisse())
                    if (p.x == x && p.y == y) c = '*';
                s += c;
            }
            s += '\n';
        }
        return s;
    }
};

struct Rect {
    int x0, y0, x1, y1;
};

struct CasPlan {
    const char* nom;
    std::vector<Rect> murs;
    int x0, y0, x1, y1;
    int resultat;
    int finX, finY;      // the last point of the path
    bool libres;         // no point on a static cell
};

// Each case: a valid path (on the map, step by step, within the buffer) ending where expected.
TEST_F(Chemin, TableDeCas) {
    const CasPlan cas[] = {
        {"carte ouverte", {}, 10, 20, 60, 45, 0, 60, 45, true},
        {"mur avec une breche", {{20, 5, 20, 18}, {20, 21, 20, 40}}, 10, 30, 30, 10, 0, 30, 10, true},
        {"obstacle en U", {{20, 10, 20, 30}, {10, 10, 20, 10}, {10, 30, 20, 30}}, 12, 20, 30, 20, 0, 30, 20, true},
        {"but enferme", {{20, 10, 30, 10}, {20, 20, 30, 20}, {20, 10, 20, 20}, {30, 10, 30, 20}}, 5, 15, 25, 15, 0, 19, 15,
         true},
        {"but sur un obstacle", {{20, 10, 30, 20}}, 5, 15, 25, 15, 0, 19, 15, true},
        {"depart au bord", {{1, 0, 1, 126}}, 0, 0, 5, 127, 0, 5, 127, true},
        {"but au coin", {{100, 100, 126, 126}}, 90, 90, 127, 127, 0, 127, 127, true},
        {"but hors d'atteinte dans le coin", {{120, 120, 127, 120}, {120, 120, 120, 127}}, 60, 60, 127, 127, 0, 119, 119,
         true},
        // Both walks follow the map's edge as an obstacle and give up: the path stops at the wall.
        {"mur d'un bord a l'autre", {{0, 60, 127, 60}}, 30, 50, 30, 70, 0, 30, 59, true},
        {"contour ouest seul possible", {{40, 60, 127, 60}}, 100, 50, 100, 70, 0, 100, 70, true},
        {"but hors de la carte", {}, 60, 60, 140, 60, 0, 127, 60, true},
        {"but hors de la carte derriere un mur", {{120, 0, 127, 127}}, 60, 60, 200, 60, 0, 119, 60, true},
    };
    for (const CasPlan& c : cas) {
        SCOPED_TRACE(c.nom);
        ASSERT_EQ(Univers__AlloueCartes(), 1);
        for (const Rect& r : c.murs) Mur(r.x0, r.y0, r.x1, r.y1);
        EXPECT_EQ(Planifie(c.x0, c.y0, c.x1, c.y1), c.resultat);
        ASSERT_LE(TrajetLisseNombre, POINTS_TAMPON_TRAJET);
        ASSERT_LE(TrajetBrutNombre, POINTS_TAMPON_TRAJET);
        if (c.resultat != 0) {
            EXPECT_EQ(TrajetLisseNombre, 0);
            continue;
        }
        Valide(c.x0, c.y0, Lisse(), c.libres);
        ASSERT_GT(TrajetLisseNombre, 0);
        EXPECT_EQ(TrajetLisse[TrajetLisseNombre - 1].x, c.finX);
        EXPECT_EQ(TrajetLisse[TrajetLisseNombre - 1].y, c.finY);
        if (::testing::Test::HasFailure()) std::cout << Dessin(0, 0, 127, 127);
    }
}

TEST_F(Chemin, DepartSurLeBut) {
    EXPECT_EQ(Planifie(40, 40, 40, 40), 0);
    EXPECT_EQ(TrajetLisseNombre, 0);
    EXPECT_EQ(TrajetBrutNombre, 0);
}

TEST_F(Chemin, LigneDegageeToutesLesCasesApresLeDepart) {
    EXPECT_EQ(Planifie(10, 10, 17, 13), 0);
    const std::vector<PointTrajet> attendu = {{11, 10}, {12, 11}, {13, 11}, {14, 12}, {15, 12}, {16, 13}, {17, 13}};
    ASSERT_EQ(TrajetBrutNombre, 7);
    ASSERT_EQ(TrajetLisseNombre, 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(TrajetBrut[i].x, attendu[i].x);
        EXPECT_EQ(TrajetBrut[i].y, attendu[i].y);
        EXPECT_EQ(TrajetLisse[i].x, attendu[i].x);
        EXPECT_EQ(TrajetLisse[i].y, attendu[i].y);
    }
}

// The shorter way round is taken; with both ways equal, the clockwise one.
TEST_F(Chemin, LePlusCourtDesDeuxContours) {
    auto Extremes = [&](int* haut, int* bas) {
        *haut = 127, *bas = 0;
        for (auto p : Lisse()) *haut = std::min(*haut, p.y), *bas = std::max(*bas, p.y);
    };
    int haut, bas;
    Mur(20, 15, 20, 30);   // shorter to the north: counter-clockwise when walking east
    ASSERT_EQ(Planifie(10, 20, 30, 20), 0);
    Extremes(&haut, &bas);
    EXPECT_LT(haut, 15);
    EXPECT_LE(bas, 20);

    ASSERT_EQ(Univers__AlloueCartes(), 1);
    Mur(20, 10, 20, 25);   // shorter to the south
    ASSERT_EQ(Planifie(10, 20, 30, 20), 0);
    Extremes(&haut, &bas);
    EXPECT_GT(bas, 25);
    EXPECT_GE(haut, 20);

    ASSERT_EQ(Univers__AlloueCartes(), 1);
    Mur(20, 15, 20, 25);   // equal: clockwise, to the south
    ASSERT_EQ(Planifie(10, 20, 30, 20), 0);
    Extremes(&haut, &bas);
    EXPECT_GT(bas, 25);
    EXPECT_GE(haut, 20);
}

// The clockwise walk meets the map's west edge, follows it as an obstacle and gives up after its
// steps: the long counter-clockwise way is taken.
TEST_F(Chemin, ContourLeLongDuBord) {
    Mur(0, 60, 60, 60);
    ASSERT_EQ(Planifie(5, 50, 5, 70), 0);
    ASSERT_GT(TrajetLisseNombre, 0);
    Valide(5, 50, Lisse());
    EXPECT_EQ(TrajetLisse[TrajetLisseNombre - 1].x, 5);
    EXPECT_EQ(TrajetLisse[TrajetLisseNombre - 1].y, 70);
    int est = 0;
    for (auto p : Lisse()) est = std::max(est, p.x);
    EXPECT_GE(est, 61);
}

TEST_F(Chemin, ContoursDirects) {
    Mur(20, 15, 20, 30);
    TrajetTrigoNombre = TrajetTrigoInverseNombre = 0;
    int fx, fy;
    Unite(5, 10, 20);
    TrajetEmpriseLargeur = TrajetEmpriseHauteur = 1;
    EXPECT_EQ(Trajet__ContourTrigo(19, 20, 21, 20, 0, Base(), 30, 20, &fx, &fy, 5, -1), CONTOUR_ATTEINT);
    EXPECT_EQ(fx, 21);
    EXPECT_EQ(fy, 20);
    EXPECT_EQ(Trajet__ContourTrigoInverse(19, 20, 21, 20, 0, Base(), 30, 20, &fx, &fy, 5, -1), CONTOUR_ATTEINT);
    EXPECT_LT(TrajetTrigoNombre, TrajetTrigoInverseNombre);
    for (int i = 0; i < TrajetTrigoNombre; ++i) EXPECT_LE(TrajetTrigo[i].y, 20);
    for (int i = 0; i < TrajetTrigoInverseNombre; ++i) EXPECT_GE(TrajetTrigoInverse[i].y, 20);

    // An obstacle too long to go round.
    ASSERT_EQ(Univers__AlloueCartes(), 1);
    Mur(10, 2, 125, 125);
    TrajetTrigoNombre = 0;
    EXPECT_EQ(Trajet__ContourTrigo(9, 120, 126, 120, 0, Base(), 127, 120, &fx, &fy, 5, -1), CONTOUR_TROP_LONG);
    EXPECT_EQ(TrajetTrigoNombre, PAS_CONTOUR_MAX + 1);
    for (int i = 0; i < TrajetTrigoNombre; ++i) EXPECT_NE(Base()[TrajetTrigo[i].x + 128 * TrajetTrigo[i].y], OBSTACLE_FIXE);
    // Round a ring back beside its start, the line from the resume cell to the goal clear.
    ASSERT_EQ(Univers__AlloueCartes(), 1);
    Mur(20, 10, 30, 10);
    Mur(20, 20, 30, 20);
    Mur(20, 10, 20, 20);
    Mur(30, 10, 30, 20);
    TrajetTrigoNombre = 0;
    EXPECT_EQ(Trajet__ContourTrigo(19, 15, 21, 15, 0, Base(), 25, 15, &fx, &fy, 5, -1), CONTOUR_BOUCLE);
    const int32_t boucle = TrajetTrigoNombre;
    // A buffer handed in full starts again from empty, as one past full does: nothing is written
    // past its end.
    TrajetTrigoNombre = POINTS_TAMPON_TRAJET;
    EXPECT_EQ(Trajet__ContourTrigo(19, 15, 21, 15, 0, Base(), 25, 15, &fx, &fy, 5, -1), CONTOUR_BOUCLE);
    EXPECT_EQ(TrajetTrigoNombre, boucle);
}

TEST_F(Chemin, Directions) {
    int d = 7;
    Direction__Tourne(&d, 1);
    EXPECT_EQ(d, 0);
    Direction__Tourne(&d, 0);
    EXPECT_EQ(d, 7);
    int v = -1;
    Direction__Voisine(&v, 0, -1);
    EXPECT_EQ(v, 7);
    Direction__Voisine(&v, 3, 1);
    EXPECT_EQ(v, 4);
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(std::abs(DirectionDx[k]) + std::abs(DirectionDy[k]) > 0, true);
        EXPECT_EQ(DirectionDx[(k + 4) % 8], -DirectionDx[k]);
        EXPECT_EQ(DirectionDy[(k + 4) % 8], -DirectionDy[k]);
    }
}

TEST_F(Chemin, SansTamponsPasDeChemin) {
    Univers__LibereCartes();
    Unite(5, 10, 10);
    int32_t n = 7;
    EXPECT_EQ(Trajet__Calcul(10, 10, 20, 20, &n, nullptr, nullptr, 5, -1), 1);
    EXPECT_EQ(n, 0);
}

// A formation of 3 x 2 plans its leader's path with the whole rectangle: through a gap wide enough,
// never over a static cell, and its own units do not block it.
TEST_F(Chemin, RectangleDeFormation) {
    std::vector<int> membres;
    for (int i = 0; i < 6; ++i) {
        Unite(10 + i, 10 + i % 3, 30 + i / 3);
        membres.push_back(10 + i);
    }
    Groupe& g = GroupeAvec(2, membres, 4);
    g.largeurFormation = 3;
    g.hauteurFormation = 2;
    g.orientation = 3;
    Occupation__Reconstruit();
    for (int n : membres) Occupation__Pose(1, 1, TableObjets[n].x, TableObjets[n].y, CarteOccupationSol, n);
    auto MurSol = [&](int x0, int y0, int x1, int y1) {
        for (int x = x0; x <= x1; ++x)
            for (int y = y0; y <= y1; ++y) Sol(x, y) = OBSTACLE_FIXE;
    };
    MurSol(40, 0, 40, 20);
    MurSol(40, 25, 40, 127);   // a gap of 4 rows: 20 < y < 25
    ASSERT_EQ(Trajet__Calcul(10, 30, 60, 30, &TrajetLisseNombre, TrajetLisse, CarteOccupationSol, 0, 2), 0);
    ASSERT_GT(TrajetLisseNombre, 0);
    EXPECT_EQ(TrajetLisse[TrajetLisseNombre - 1].x, 60);
    EXPECT_EQ(TrajetLisse[TrajetLisseNombre - 1].y, 30);
    for (auto p : Lisse())
        for (int x = p.x; x < p.x + 3; ++x)
            for (int y = p.y; y < p.y + 2; ++y) ASSERT_NE(Sol(x, y), OBSTACLE_FIXE) << p.x << "," << p.y;
    EXPECT_EQ(g.modeFormation, 4);

    // Orientation 0 places the rectangle up and left of its path cell.
    g.orientation = 0;
    EXPECT_EQ(Trajet__CaseBloquee(42, 21, CarteOccupationSol, 0, 0, 2), 1);   // covers (40, 20)
    EXPECT_EQ(Trajet__CaseBloquee(42, 22, CarteOccupationSol, 0, 0, 2), 0);
    EXPECT_EQ(Trajet__CaseBloquee(43, 21, CarteOccupationSol, 0, 0, 2), 0);
    g.orientation = 3;
    EXPECT_EQ(Trajet__CaseBloquee(38, 20, CarteOccupationSol, 0, 0, 2), 1);
    EXPECT_EQ(Trajet__CaseBloquee(38, 21, CarteOccupationSol, 0, 0, 2), 0);
    EXPECT_EQ(Trajet__CaseBloquee(38, 24, CarteOccupationSol, 0, 0, 2), 1);

    // A leader slot that is no object: no plan, nothing read.
    g.membres[0] = NOMBRE_OBJETS + 5;
    TrajetLisseNombre = 9;
    EXPECT_EQ(Trajet__Calcul(10, 30, 60, 30, &TrajetLisseNombre, TrajetLisse, CarteOccupationSol, 0, 2), 1);
    EXPECT_EQ(TrajetLisseNombre, 0);
    g.membres[0] = 10;

    // A goal on the wall: moved back off it, and the group goes to free formation.
    ASSERT_EQ(Trajet__Calcul(10, 30, 40, 50, &TrajetLisseNombre, TrajetLisse, CarteOccupationSol, 0, 2), 0);
    EXPECT_EQ(g.modeFormation, 1);
    EXPECT_EQ(g.enFuite, 1);
    ASSERT_GT(TrajetLisseNombre, 0);
    EXPECT_LT(TrajetLisse[TrajetLisseNombre - 1].x, 40);
}

// The group test lets through the group's own units and those of its AI target, nothing else; a
// taken cell with no unit under it in the world grid is blocked.
TEST_F(Chemin, CaseBloqueeEnGroupe) {
    Unite(10, 5, 5);
    Unite(11, 6, 5);
    Unite(12, 7, 5);
    Groupe& g = GroupeAvec(2, {10});
    GroupeAvec(3, {11});
    GroupeAvec(4, {12});
    TrajetEmpriseLargeur = TrajetEmpriseHauteur = 1;
    Occupation__Reconstruit();
    for (int n : {10, 11, 12}) Occupation__Pose(1, 1, TableObjets[n].x, 5, CarteOccupationSol, n);
    Sol(8, 5) = 10;   // a stamp with no unit under it
    EXPECT_EQ(Trajet__CaseBloquee(5, 5, CarteOccupationSol, 0, 0, 2), 0);
    EXPECT_EQ(Trajet__CaseBloquee(6, 5, CarteOccupationSol, 0, 0, 2), 1);
    g.groupeCibleIA = 3;
    EXPECT_EQ(Trajet__CaseBloquee(6, 5, CarteOccupationSol, 0, 0, 2), 0);
    EXPECT_EQ(Trajet__CaseBloquee(7, 5, CarteOccupationSol, 0, 0, 2), 1);
    EXPECT_EQ(Trajet__CaseBloquee(8, 5, CarteOccupationSol, 0, 0, 2), 1);
    EXPECT_EQ(Trajet__CaseBloquee(-1, 5, CarteOccupationSol, 0, 0, 2), 1);
    EXPECT_EQ(Trajet__CaseBloquee(9, 5, CarteOccupationSol, 0, 0, 2), 0);
}

// A large single unit is tested on the live map (the air grid for a flyer), where its own number
// passes.
TEST_F(Chemin, GrandeUniteSurLaCarteVivante) {
    Unite(5, 10, 10, 2);
    Occupation__Reconstruit();
    Occupation__Pose(2, 2, 10, 10, CarteOccupationSol, 5);
    TrajetEmpriseLargeur = TrajetEmpriseHauteur = 2;
    EXPECT_EQ(Trajet__CaseBloquee(10, 10, Base(), 0, 5, -1), 0);   // the base map marks it static
    EXPECT_EQ(SolBase(10, 10), OBSTACLE_FIXE);
    Sol(12, 12) = 7;
    EXPECT_EQ(Trajet__CaseBloquee(11, 11, Base(), 0, 5, -1), 1);
    Objet& f = Unite(6, 50, 50, 2, 2);
    (void)f;
    GrilleAir[49 + 128 * 51] = 9;
    EXPECT_EQ(Trajet__CaseBloquee(49, 50, Base(), 0, 6, -1), 1);
    EXPECT_EQ(Trajet__CaseBloquee(50, 50, Base(), 0, 6, -1), 0);   // its own cells on the air grid
    EXPECT_EQ(Trajet__CaseBloquee(126, 126, Base(), 0, 6, -1), 0);
    EXPECT_EQ(Trajet__CaseBloquee(127, 126, Base(), 0, 6, -1), 1);
}

// A few thousand random small maps: every plan returns, stays on the map and within its buffers.
TEST_F(Chemin, CartesAleatoires) {
    uint32_t graine = 12345;
    auto Hasard = [&](int n) {
        graine = graine * 1103515245u + 12345u;
        return static_cast<int>((graine >> 16) % static_cast<uint32_t>(n));
    };
    for (int essai = 0; essai < 3000; ++essai) {
        ASSERT_EQ(Univers__AlloueCartes(), 1);
        // Obstacles in a corner or the middle of the map, so that the map's edges take part.
        const int ox = Hasard(3) * 48, oy = Hasard(3) * 48, cote = 32;
        const int murs = Hasard(12);
        for (int m = 0; m < murs; ++m) {
            const int x = ox + Hasard(cote), y = oy + Hasard(cote);
            const bool horizontal = Hasard(2) == 0;
            const int l = 1 + Hasard(20);
            Mur(x, y, std::min(127, horizontal ? x + l : x), std::min(127, horizontal ? y : y + l));
        }
        for (int k = Hasard(60); k > 0; --k) Base()[(ox + Hasard(cote)) + 128 * (oy + Hasard(cote))] = OBSTACLE_FIXE;
        const int x0 = ox + Hasard(cote), y0 = oy + Hasard(cote), x1 = ox + Hasard(cote), y1 = oy + Hasard(cote);
        const int taille = 1 + (Hasard(4) == 0);
        Unite(5, x0, y0, taille);
        int r;
        if (Hasard(4) == 0) {
            // A formation on the live map, in any orientation.
            std::copy(Base(), Base() + CASES_CARTE, CarteOccupationSol);
            Groupe& g = GroupeAvec(2, {5, 6});
            Unite(6, x0, y0, taille, 1, 2);
            g.largeurFormation = 1 + Hasard(4);
            g.hauteurFormation = 1 + Hasard(4);
            g.orientation = Hasard(4);
            g.groupeCibleIA = -1;
            r = Trajet__Calcul(x0, y0, x1, y1, &TrajetLisseNombre, TrajetLisse, CarteOccupationSol, 0, 2);
        } else {
            r = Trajet__Calcul(x0, y0, x1, y1, &TrajetLisseNombre, TrajetLisse, Base(), 5, -1);
        }
        ASSERT_TRUE(r == 0 || r == 1);
        ASSERT_GE(TrajetLisseNombre, 0);
        ASSERT_LE(TrajetLisseNombre, POINTS_TAMPON_TRAJET);
        ASSERT_LE(TrajetBrutNombre, POINTS_TAMPON_TRAJET);
        ASSERT_LE(TrajetTrigoNombre, POINTS_TAMPON_TRAJET);
        ASSERT_LE(TrajetTrigoInverseNombre, POINTS_TAMPON_TRAJET);
        if (r == 1) {
            ASSERT_EQ(TrajetLisseNombre, 0);
        }
        for (int i = 0; i < TrajetLisseNombre; ++i)
            ASSERT_TRUE(TrajetLisse[i].x >= 0 && TrajetLisse[i].x < 128 && TrajetLisse[i].y >= 0 && TrajetLisse[i].y < 128)
                << "map " << essai;
    }
}

}  // namespace
