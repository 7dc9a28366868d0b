// Occupancy maps: rebuild, stamps, tests, lifts, pushes and fall-back chains, the leading-edge
// tests of a move, the walled area and the clamp of an order's destination, and birth ranges.
#include <algorithm>

#include "occupation_fixture.h"

#include "shell/scenario.h"
#include "world/batiments.h"
#include "world/niveau.h"

namespace {

using Occupation = CarteEssai;

TEST_F(Occupation, ReconstructionDepuisLesGrilles) {
    Unite(5, 10, 10);
    Fixe(6, 20, 20, 2, 2);                 // a building
    Unite(7, 30, 30).actif = 0;            // a body left on the unit grid
    Unite(8, 40, 40, 1, 2);                // a flyer
    GrilleUnites[50 + 128 * 50] = 5000;    // no object: static
    GrilleSol[60 + 128 * 60] = 5;          // the ground layer never blocks
    Sol(10, 10) = 99;                      // left from a previous frame
    Occupation__Reconstruit();
    EXPECT_EQ(Sol(10, 10), 0u);
    EXPECT_EQ(Sol(21, 21), OBSTACLE_FIXE);
    EXPECT_EQ(Sol(30, 30), OBSTACLE_FIXE);
    EXPECT_EQ(Sol(50, 50), OBSTACLE_FIXE);
    EXPECT_EQ(Sol(60, 60), 0u);
    EXPECT_EQ(Air(40, 40), 0u);
    EXPECT_EQ(Sol(40, 40), 0u);
    for (int i = 0; i < CASES_CARTE; ++i) {
        ASSERT_EQ(CarteOccupationSolBase[i], CarteOccupationSol[i]);
        ASSERT_EQ(CarteOccupationAirBase[i], CarteOccupationAir[i]);
    }
}

// Empty stretches are freed a block at a time: taken cells at either edge of a block, lone or in
// runs, of every kind, give what each cell alone gives.
TEST_F(Occupation, ReconstructionParBlocsCommeCaseParCase) {
    Unite(5, 0, 0);
    Unite(6, 0, 0, 1, 2);
    TableObjets[7] = Objet{};   // inactive
    const int32_t valeurs[] = {5, 7, 1999, 2000, -3, static_cast<int32_t>(OBSTACLE_FIXE), 1};
    uint32_t graine = 12345;
    for (int i = 0; i < CASES_CARTE; ++i) {
        graine = graine * 1103515245u + 12345u;
        const bool bord = i % 16 == 0 || i % 16 == 15;
        const bool pris = (graine >> 16) % (bord ? 3 : 40) == 0;
        GrilleUnites[i] = pris ? valeurs[(graine >> 8) % 7] : 0;
        GrilleAir[i] = pris && (graine & 1) ? 6 : 0;
    }
    GrilleUnites[CASES_CARTE - 1] = 7;
    std::fill(CarteOccupationSol, CarteOccupationSol + CASES_CARTE, 99u);
    std::fill(CarteOccupationSolBase, CarteOccupationSolBase + CASES_CARTE, 99u);
    std::fill(CarteOccupationAir, CarteOccupationAir + CASES_CARTE, 99u);
    Occupation__Reconstruit();
    auto attendu = [](int32_t v) {
        return v == 0 || (v >= 1 && v < NOMBRE_OBJETS && TableObjets[v].actif == 1) ? 0u : OBSTACLE_FIXE;
    };
    for (int i = 0; i < CASES_CARTE; ++i) {
        ASSERT_EQ(CarteOccupationSol[i], attendu(GrilleUnites[i])) << i;
        ASSERT_EQ(CarteOccupationSolBase[i], CarteOccupationSol[i]) << i;
        ASSERT_EQ(CarteOccupationAir[i], attendu(GrilleAir[i])) << i;
    }
}

TEST_F(Occupation, PoseNEcraseJamaisUnAutre) {
    Unite(5, 10, 10);
    Unite(6, 11, 10);
    Occupation__Reconstruit();
    Occupation__Pose(1, 1, 11, 10, CarteOccupationSol, 6);
    Occupation__Pose(2, 1, 10, 10, CarteOccupationSol, 5);   // over 6's cell: left alone
    EXPECT_EQ(Sol(10, 10), 5u);
    EXPECT_EQ(Sol(11, 10), 6u);
    EXPECT_EQ(SolBase(10, 10), 0u);   // taille 1 leaves the base map
    // The number 0 clears whatever is there, static marks included.
    Sol(12, 10) = OBSTACLE_FIXE;
    Occupation__Pose(3, 1, 10, 10, CarteOccupationSol, 0);
    for (int x = 10; x < 13; ++x) EXPECT_EQ(Sol(x, 10), 0u);
    // A flyer is stamped on the air map whatever map is passed.
    Unite(7, 50, 50, 1, 2);
    Occupation__Pose(1, 1, 50, 50, CarteOccupationSol, 7);
    EXPECT_EQ(Air(50, 50), 7u);
    EXPECT_EQ(Sol(50, 50), 0u);
}

TEST_F(Occupation, GrandeUniteMarqueeFixeSurLaCarteDeBase) {
    Unite(5, 10, 10, 2);
    Occupation__Reconstruit();
    Occupation__Pose(2, 2, 10, 10, CarteOccupationSol, 5);
    for (auto [x, y] : {std::pair{10, 10}, {11, 10}, {10, 11}, {11, 11}}) {
        EXPECT_EQ(Sol(x, y), 5u);
        EXPECT_EQ(SolBase(x, y), OBSTACLE_FIXE);
    }
    EXPECT_EQ(SolBase(12, 10), 0u);
}

TEST_F(Occupation, EmpreintesAuBordRestentSurLaCarte) {
    Unite(5, 126, 126, 3);
    Occupation__Reconstruit();
    for (auto [x, y] : {std::pair{126, 126}, {-2, 5}, {127, 0}, {0, 127}, {-5, -5}, {200, 3}}) {
        Occupation__Pose(3, 3, x, y, CarteOccupationSol, 5);
        Occupation__Pose(3, 3, x, y, CarteOccupationSol, 0);
        Occupation__PoseAvecPoussee2(3, 3, x, y, CarteOccupationSol, 5, 1);
        Occupation__Leve(5, 3, 3, x, y, CarteOccupationSol, 0, 1);
    }
    EXPECT_EQ(Occupation__Test(3, 3, 126, 126, CarteOccupationSol, 0), -1);
    EXPECT_EQ(Occupation__Test(1, 1, -1, 0, CarteOccupationSol, 0), -1);
    EXPECT_EQ(Occupation__Test(1, 1, 127, 127, CarteOccupationSol, 0), 0);
}

TEST_F(Occupation, TestRendLaPremiereCaseDifferente) {
    Unite(5, 10, 10);
    Unite(6, 11, 10);
    Occupation__Reconstruit();
    Sol(10, 11) = 6;
    Sol(11, 10) = 7;
    // Column by column: (10, 11) comes before (11, 10).
    EXPECT_EQ(Occupation__Test(2, 2, 10, 10, CarteOccupationSol, 0), 6);
    EXPECT_EQ(Occupation__Test(1, 1, 20, 20, CarteOccupationSol, 0), 0);
    Sol(10, 10) = 5;
    EXPECT_EQ(Occupation__Test(1, 2, 10, 10, CarteOccupationSol, 5), 6);
    EXPECT_EQ(Occupation__Test(1, 1, 10, 10, CarteOccupationSol, 5), 0);
    EXPECT_EQ(Occupation__Test(1, 1, 30, 30, CarteOccupationSol, 5), 0);   // free cell met first
    Sol(31, 31) = OBSTACLE_FIXE;
    EXPECT_EQ(Occupation__Test(1, 1, 31, 31, CarteOccupationSol, 5), static_cast<int>(OBSTACLE_FIXE));
}

// Two units heading for one cell: the smaller number keeps it; the other stays on its own cell
// and pushes whoever stood there back in turn.
TEST_F(Occupation, LePlusPetitNumeroGardeLaCase) {
    Objet& a = Unite(5, 10, 10);
    Objet& b = Unite(9, 12, 10);
    Objet& c = Unite(11, 13, 10);
    Occupation__Reconstruit();
    a.prochaineCaseX = b.prochaineCaseX = 11;
    c.prochaineCaseX = 12;   // c was moving into b's cell
    Occupation__Pose(1, 1, 11, 10, CarteOccupationSol, 5);
    Occupation__Pose(1, 1, 12, 10, CarteOccupationSol, 11);
    Occupation__PoseAvecPoussee2(1, 1, 11, 10, CarteOccupationSol, 9, 0);
    EXPECT_EQ(Sol(11, 10), 5u);
    EXPECT_EQ(Sol(12, 10), 9u);
    EXPECT_EQ(b.prochaineCaseX, 12);
    EXPECT_EQ(Sol(13, 10), 11u);   // c fell back too
    EXPECT_EQ(c.prochaineCaseX, 13);
    EXPECT_EQ(a.prochaineCaseX, 11);
}

TEST_F(Occupation, UneUniteEnAttenteGardeLaCase) {
    Objet& a = Unite(9, 10, 10);
    Objet& b = Unite(5, 12, 10);
    Occupation__Reconstruit();
    a.prochaineCaseX = b.prochaineCaseX = 11;
    a.attenteCase = 1;
    Occupation__Pose(1, 1, 11, 10, CarteOccupationSol, 9);
    Occupation__PoseAvecPoussee2(1, 1, 11, 10, CarteOccupationSol, 5, 0);
    EXPECT_EQ(Sol(11, 10), 9u);
    EXPECT_EQ(b.prochaineCaseX, 12);
    // With the flag set the stamp goes over anyone.
    Occupation__PoseAvecPoussee2(1, 1, 11, 10, CarteOccupationSol, 5, 1);
    EXPECT_EQ(Sol(11, 10), 5u);
}

TEST_F(Occupation, LeveEffaceEtCedeLaPriorite) {
    Objet& a = Unite(9, 10, 10);
    Objet& b = Unite(5, 11, 10);
    Occupation__Reconstruit();
    a.prochaineCaseX = b.prochaineCaseX = 12;
    Sol(10, 10) = 5;   // b's stamp under a's footprint
    Occupation__Leve(9, 1, 1, 10, 10, CarteOccupationSol, 0, 0);
    EXPECT_EQ(a.prochaineCaseX, 10);   // a fell back
    EXPECT_EQ(Sol(10, 10), 0u);        // and the footprint was cleared
    Sol(20, 20) = 7;
    Occupation__Leve(9, 1, 1, 20, 20, CarteOccupationSol, 0, 1);
    EXPECT_EQ(Sol(20, 20), 0u);
    Sol(20, 20) = 7;
    Occupation__Leve(9, 1, 1, 20, 20, CarteOccupationSol, 3, 1);   // acts only with number 0
    EXPECT_EQ(Sol(20, 20), 7u);
    a.actif = 0;
    Occupation__Leve(9, 1, 1, 20, 20, CarteOccupationSol, 0, 1);
    EXPECT_EQ(Sol(20, 20), 7u);
}

// A -> B -> A: each waits on the other's cell; the chain stops when it comes back to its start.
TEST_F(Occupation, ChaineDeReculAvecUnCycle) {
    Objet& a = Unite(5, 10, 10);
    Objet& b = Unite(6, 11, 10);
    Occupation__Reconstruit();
    a.prochaineCaseX = 11;
    b.prochaineCaseX = 10;
    Sol(11, 10) = 5;
    Sol(10, 10) = 6;
    Occupation__Avance(5, 5);
    EXPECT_EQ(Sol(10, 10), 5u);
    EXPECT_EQ(Sol(11, 10), 6u);
    EXPECT_EQ(a.prochaineCaseX, 10);
    EXPECT_EQ(b.prochaineCaseX, 11);

    // A ring of three, and a ring whose links are all the same unit's stamp, end as well.
    for (int n : {20, 21, 22}) Unite(n, 30 + n, 40);
    Occupation__Reconstruit();
    for (int n : {20, 21, 22}) {
        const int suivant = n == 22 ? 20 : n + 1;
        TableObjets[n].prochaineCaseX = TableObjets[suivant].x;
        Sol(TableObjets[suivant].x, 40) = static_cast<uint32_t>(n);
    }
    Occupation__Avance(20, 20);
    for (int n : {20, 21, 22}) {
        EXPECT_EQ(Sol(30 + n, 40), static_cast<uint32_t>(n));
        EXPECT_EQ(TableObjets[n].prochaineCaseX, 30 + n);
    }
}

TEST_F(Occupation, ChaineLongueEtCasSansEffet) {
    // 100 units in a row, each stamped on the next one's cell: one fall back pushes them all.
    for (int n = 1; n <= 100; ++n) Unite(n, n, 60);
    Occupation__Reconstruit();
    for (int n = 1; n <= 100; ++n) {
        TableObjets[n].prochaineCaseX = n - 1;
        Sol(n - 1, 60) = static_cast<uint32_t>(n);
    }
    TableObjets[1].prochaineCaseX = 0;
    Occupation__Avance(1, 1);
    for (int n = 1; n <= 100; ++n) EXPECT_EQ(Sol(n, 60), static_cast<uint32_t>(n)) << n;

    // Nothing for an inactive, dying or unnumbered unit, nor for an index outside the table.
    Objet& m = Unite(150, 5, 5);
    m.prochaineCaseX = 6;
    for (int i = 0; i < 3; ++i) {
        m.actif = i != 0;
        m.ordreSecondaire = i == 1 ? 3 : 2;
        m.numeroObjet = i == 2 ? 0 : 150;
        Occupation__Avance(150, 150);
        EXPECT_EQ(m.prochaineCaseX, 6);
    }
    Occupation__Avance(0, 0);
    Occupation__Avance(-3, 0);
    Occupation__Avance(NOMBRE_OBJETS, 0);
}

struct CasBord {
    int x, y, largeur, hauteur, dx, dy, attendu;
};

// Every step sign at the map's edges: refused before any cell is read.
TEST_F(Occupation, PasDiagonalAuBordRefuse) {
    Unite(5, 0, 0);
    Occupation__Reconstruit();
    const CasBord cas[] = {
        {0, 5, 1, 1, -1, 0, -1},    {127, 5, 1, 1, 1, 0, -1},   {5, 0, 1, 1, 0, -1, -1},
        {5, 127, 1, 1, 0, 1, -1},   {0, 5, 1, 1, -1, -1, -1},   {5, 0, 1, 1, -1, -1, -1},
        {127, 5, 1, 1, 1, -1, -1},  {5, 0, 1, 1, 1, -1, -1},    {126, 5, 2, 2, 1, 1, -1},
        {5, 126, 2, 2, 1, 1, -1},   {0, 5, 1, 1, -1, 1, -1},    {5, 127, 1, 1, -1, 1, -1},
        {-1, 5, 1, 1, 0, 0, -1},    {1, 1, 1, 1, -1, -1, 0},    {126, 126, 1, 1, 1, 1, 0},
        {126, 126, 2, 2, 0, 0, 0},  {125, 5, 2, 2, 1, 0, 0},    {5, 5, 1, 1, 0, 0, 0},
    };
    for (const CasBord& c : cas)
        EXPECT_EQ(Collision__TestDeplacement(5, c.x, c.y, c.largeur, c.hauteur, c.dx, c.dy), c.attendu)
            << c.x << "," << c.y << " " << c.largeur << "x" << c.hauteur << " by " << c.dx << "," << c.dy;
}

struct CasBordure {
    int dx, dy;
    std::vector<std::pair<int, int>> cases;   // the cells read for a 2 x 2 footprint at (10, 10)
};

// Only the leading edge is read: an obstacle on each of those cells is seen, one elsewhere is not.
TEST_F(Occupation, BordAttaqueParDirection) {
    const CasBordure cas[] = {
        {-1, 0, {{9, 10}, {9, 11}}},
        {1, 0, {{12, 10}, {12, 11}}},
        {0, -1, {{10, 9}, {11, 9}}},
        {0, 1, {{10, 12}, {11, 12}}},
        {-1, -1, {{9, 9}, {10, 9}, {9, 10}}},
        {1, -1, {{11, 9}, {12, 9}, {12, 10}}},
        {1, 1, {{11, 12}, {12, 12}, {12, 11}}},
        {-1, 1, {{9, 12}, {10, 12}, {9, 11}}},
        {0, 0, {{10, 10}, {11, 10}, {10, 11}, {11, 11}}},
    };
    Unite(5, 10, 10, 2);
    for (const CasBordure& c : cas) {
        for (int x = 8; x < 14; ++x)
            for (int y = 8; y < 14; ++y) {
                Occupation__Reconstruit();
                Sol(x, y) = OBSTACLE_FIXE;
                bool lue = false;
                for (auto [cx, cy] : c.cases) lue |= cx == x && cy == y;
                EXPECT_EQ(Collision__TestDeplacement(5, 10, 10, 2, 2, c.dx * 3, c.dy * 7), lue ? -1 : 0)
                    << "step " << c.dx << "," << c.dy << " obstacle " << x << "," << y;
            }
    }
}

TEST_F(Occupation, AutresUnitesCompteesEtListees) {
    Unite(5, 10, 10);
    Unite(6, 11, 9);
    Unite(7, 11, 10);
    Unite(8, 20, 20, 2);   // the same unit on two cells of the leading edge
    Occupation__Reconstruit();
    for (int n : {5, 6, 7}) Occupation__Pose(1, 1, TableObjets[n].x, TableObjets[n].y, CarteOccupationSol, n);
    Occupation__Pose(2, 2, 20, 20, CarteOccupationSol, 8);
    // A one-cell diagonal step reads only the corner it enters (twice: listed once).
    EXPECT_EQ(Collision__TestDeplacement(5, 10, 10, 1, 1, 1, -1), 1);
    ASSERT_EQ(ObstaclesNombre, 1);
    EXPECT_EQ(ObstaclesListe[0], 6);
    EXPECT_EQ(Collision__TestDeplacement(5, 10, 9, 1, 2, 1, 0), 1);
    ASSERT_EQ(ObstaclesNombre, 2);
    EXPECT_EQ(ObstaclesListe[0], 6);
    EXPECT_EQ(ObstaclesListe[1], 7);
    EXPECT_EQ(Collision__TestDeplacement(5, 10, 10, 1, 1, 0, 0), 0);   // its own cell
    EXPECT_EQ(ObstaclesNombre, 0);
    EXPECT_EQ(Collision__TestDeplacement(5, 19, 20, 1, 2, 1, 0), 1);
    EXPECT_EQ(ObstaclesNombre, 1);   // consecutive repeats dropped
    // The group form lets its members through.
    GroupeAvec(3, {5, 6, 7});
    EXPECT_EQ(Collision__TestDeplacementGroupe(5, 10, 9, 1, 2, 1, 0, 3), 0);
    EXPECT_EQ(Collision__TestDeplacementGroupe(5, 19, 20, 1, 2, 1, 0, 3), 1);
}

TEST_F(Occupation, GroupeEnBlocInfranchissable) {
    Unite(5, 10, 10);
    Unite(6, 11, 10);
    Unite(7, 11, 11);
    GroupeAvec(4, {6, 7}, 4);
    Occupation__Reconstruit();
    Occupation__Pose(1, 1, 11, 10, CarteOccupationSol, 6);
    Occupation__Pose(1, 1, 11, 11, CarteOccupationSol, 7);
    // The single test's row and column scans refuse the block ...
    EXPECT_EQ(Collision__TestDeplacement(5, 10, 10, 1, 1, 1, 0), -1);
    EXPECT_EQ(Collision__TestDeplacement(5, 10, 10, 1, 1, 1, 1), -1);
    // ... its footprint scan and the group test only count it, without listing it.
    EXPECT_EQ(Collision__TestDeplacement(5, 11, 10, 1, 1, 0, 0), 1);
    EXPECT_EQ(ObstaclesNombre, 0);
    GroupeAvec(2, {5});
    EXPECT_EQ(Collision__TestDeplacementGroupe(5, 10, 10, 1, 1, 1, 0, 2), 1);
    EXPECT_EQ(ObstaclesNombre, 0);
    // A block in flight is only in the way.
    TableGroupes[4].enFuite = 1;
    EXPECT_EQ(Collision__TestDeplacement(5, 10, 10, 1, 1, 1, 0), 1);
    EXPECT_EQ(ObstaclesNombre, 1);
    // On the air map a block refuses every scan.
    TableGroupes[4].enFuite = 0;
    Unite(20, 50, 50, 1, 2);
    Unite(21, 51, 50, 1, 2);
    GroupeAvec(5, {21}, 4);
    Occupation__Reconstruit();
    Occupation__Pose(1, 1, 51, 50, CarteOccupationAir, 21);
    GroupeAvec(6, {20});
    EXPECT_EQ(Collision__TestDeplacementGroupe(20, 50, 50, 1, 1, 1, 0, 6), -1);
    EXPECT_EQ(Collision__TestDeplacement(20, 51, 50, 1, 1, 0, 0), -1);
}

TEST_F(Occupation, ZoneMursEtPorte) {
    ZoneBatimentsPresente = 1;
    ZoneBatimentsX = 40;
    ZoneBatimentsY = 40;
    ZoneBatimentsDroite = 80;
    ZoneBatimentsBas = 80;
    PorteTrouvee = 1;
    PorteX = 55;
    PorteY = 78;
    EXPECT_EQ(Carte__DansZoneMurs(41, 41), 1);
    EXPECT_EQ(Carte__DansZoneMurs(40, 50), 0);
    EXPECT_EQ(Carte__DansZoneMurs(79, 80), 0);

    struct Cas {
        int depuisX, depuisY, x, y, attenduX, attenduY;
    };
    Objet& u = Unite(5, 0, 0);
    for (Cas c : {Cas{10, 10, 60, 60, 61, 92}, Cas{60, 60, 10, 10, 61, 78}, Cas{10, 10, 20, 20, 20, 20},
                  Cas{60, 60, 70, 70, 70, 70}}) {
        u.x = c.depuisX;
        u.y = c.depuisY;
        int x = c.x, y = c.y;
        Carte__RameneDansZone(-1, 5, &x, &y);
        EXPECT_EQ(x, c.attenduX);
        EXPECT_EQ(y, c.attenduY);
    }
    // With a group, its goal is the reference.
    Groupe& g = GroupeAvec(3, {5});
    g.butX = 60;
    g.butY = 60;
    int x = 10, y = 10;
    Carte__RameneDansZone(3, 0, &x, &y);
    EXPECT_EQ(x, 61);
    EXPECT_EQ(y, 78);
    // No clamp for a flyer, through a breach, or without a gate.
    u.x = u.y = 10;
    for (int cas = 0; cas < 3; ++cas) {
        u.couche = cas == 0 ? 2 : 1;
        BrecheOuverte = cas == 1;
        PorteTrouvee = cas == 2 ? 0 : 1;
        x = y = 60;
        Carte__RameneDansZone(-1, 5, &x, &y);
        EXPECT_EQ(x, 60) << cas;
    }
}

TEST_F(Occupation, PorteesALaNaissance) {
    GrilleAltitude = new int32_t[4096]();
    Univers__AlloueGrillesBatiments();
    GrilleAltitude[(20 / 4) * 32 + 12 / 4] = 2;
    Fixe(300, 0, 0);
    TableObjets[300].classe = 25;   // a wall
    GrilleSelection[12 + 128 * 20] = 300;
    NiveauArcDistance = 1;

    struct Cas {
        int classe, sort, couche, famille, maitre, x, y, vue, attaque;
    };
    const Cas cas[] = {
        {4, -1, 1, 1, 1, 12, 20, 14, 11},    // archer, height 2, on a wall: 2 + 1 + 11; 1 + 2 + 7 + 1
        {4, -1, 1, 1, 1, 60, 60, 11, 8},     // archer on flat ground
        {1, 44, 1, 1, 1, 60, 60, 11, 8},     // a caster
        {1, 0, 1, 1, 1, 60, 60, 11, 8},      // a caster whose first spell is spell 0
        {3, -1, 1, 1, 1, 60, 60, 3, 1},      // warrior
        {4, -1, 2, 1, 1, 60, 60, 10, 6},     // a flying archer
        {1, -1, 1, 5, 1, 60, 60, 14, 10},    // war machine
        {4, -1, 1, 1, 135, 60, 60, 3, 1},
        {1, -1, 1, 6, 1, 60, 60, 10, 6},     // dragon
        {1, -1, 1, 1, 1, 60, 60, 7, 5},      // others keep the ranges of their birth
    };
    for (const Cas& c : cas) {
        Objet& o = Unite(5, c.x, c.y, 1, c.couche);
        o.classe = c.classe;
        o.sorts[0] = c.sort;
        o.famille = c.famille;
        o.typeMaitre = c.maitre;
        o.porteeVue = 7;
        o.porteeAttaque = 5;
        o.cible = 9;
        o.nbPointsTrajetUnite = 4;
        Objet__AlloueTrajet(5);
        EXPECT_EQ(o.porteeVue, c.vue) << c.classe << " " << c.maitre;
        EXPECT_EQ(o.porteeAttaque, c.attaque) << c.classe << " " << c.maitre;
        EXPECT_EQ(o.cible, -1);
        EXPECT_EQ(o.nbPointsTrajetUnite, 0);
        ASSERT_NE(o.trajet, nullptr);
        EXPECT_EQ(o.listeEnnemis[39], -1);
    }
    Objet__LibereTrajet(5);
    EXPECT_EQ(TableObjets[5].trajet, nullptr);
    Objet__LibereTrajet(5);   // twice is harmless
    delete[] GrilleAltitude;
    GrilleAltitude = nullptr;
    Univers__LibereGrillesBatiments();
}

TEST_F(Occupation, CartesLibereesPuisRealloueesVides) {
    Sol(3, 3) = 7;
    ASSERT_EQ(Univers__AlloueCartes(), 1);
    EXPECT_EQ(Sol(3, 3), 0u);
    ASSERT_NE(TrajetBrut, nullptr);
    Univers__LibereCartes();
    EXPECT_EQ(CarteOccupationSol, nullptr);
    EXPECT_EQ(CarteOccupationAirBase, nullptr);
    EXPECT_EQ(TrajetLisse, nullptr);
    // Without maps every operation does nothing.
    Unite(5, 3, 3);
    Occupation__Reconstruit();
    Occupation__Pose(1, 1, 3, 3, nullptr, 5);
    Occupation__PoseAvecPoussee2(1, 1, 3, 3, nullptr, 5, 0);
    Occupation__Avance(5, 5);
    EXPECT_EQ(Occupation__Test(1, 1, 3, 3, nullptr, 0), -1);
    EXPECT_EQ(Collision__TestDeplacement(5, 3, 3, 1, 1, 1, 0), -1);
}

}  // namespace
