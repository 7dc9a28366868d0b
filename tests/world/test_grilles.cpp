// The three grids: stamps, releases, zone tests, and footprints at the map's edges.
#include <algorithm>

#include "monde_fixture.h"

namespace {

class Grilles : public Monde {
  protected:
    void SetUp() override {
        Monde::SetUp();
        MondeAvec({{"petit", FicheMaitre()}, {"moyen", FicheMaitre("HUMAIN", "2")}, {"grand", FicheMaitre("HUMAIN", "6")}});
    }
    int Occupees(int32_t* grille, int indice) {
        int n = 0;
        for (int i = 0; i < TAILLE_UNIVERS * TAILLE_UNIVERS; ++i) n += grille[i] == indice;
        return n;
    }
};

TEST_F(Grilles, DeplacementEffaceLAncienneEmpreinte) {
    int o = ObjetNaissance(1, 0, 10, 10, -1, 0);
    for (auto [x, y] : {std::pair{10, 10}, {11, 10}, {10, 11}, {11, 11}}) EXPECT_EQ(Univers__CaseUnites(x, y), o);
    TableObjets[o].x = 11;
    Univers__OccupationUnites(o);
    EXPECT_EQ(Univers__CaseUnites(10, 10), 0);
    EXPECT_EQ(Univers__CaseUnites(10, 11), 0);
    for (auto [x, y] : {std::pair{11, 10}, {12, 10}, {11, 11}, {12, 11}}) EXPECT_EQ(Univers__CaseUnites(x, y), o);
    EXPECT_EQ(Occupees(GrilleUnites, o), 4);
}

TEST_F(Grilles, LiberationLaisseLaCaseDUnAutre) {
    int a = ObjetNaissance(1, 0, 10, 10, -1, 0);
    int b = ObjetNaissance(0, 0, 11, 11, -1, 0);   // over a's corner
    Univers__LiberationUnites(a);
    EXPECT_EQ(Univers__CaseUnites(11, 11), b);
    EXPECT_EQ(Occupees(GrilleUnites, a), 0);
    EXPECT_EQ(ObjetCourant, &TableObjets[a]);
}

// Mended: a footprint stamped off the left or top edge is freed cell for cell. Its cell index
// used to be read back as (127, y - 1) for x = -1, and skipped for a negative y, leaving stale cells.
TEST_F(Grilles, EmpreinteAuBordGaucheOuHautLibereeAuDeplacement) {
    struct Cas {
        int x, y;
    };
    for (Cas c : {Cas{-1, 5}, Cas{5, -1}, Cas{-1, -1}, Cas{127, 5}}) {
        const int voisin = ObjetNaissance(0, 0, 127, 4, -1, 0);   // where (-1, 5) used to be read
        const int o = ObjetNaissance(1, 0, 40, 40, -1, 0);
        TableObjets[o].x = c.x;
        TableObjets[o].y = c.y;
        Univers__OccupationUnites(o);
        TableObjets[o].x = 60;
        TableObjets[o].y = 60;
        Univers__OccupationUnites(o);
        EXPECT_EQ(Occupees(GrilleUnites, o), 4) << c.x << "," << c.y;
        EXPECT_EQ(Univers__CaseUnites(127, 4), voisin);
        // Moved again without a new stamp, then freed: neither place keeps its index.
        TableObjets[o].x = 80;
        Univers__LiberationUnites(o);
        EXPECT_EQ(Occupees(GrilleUnites, o), 0) << c.x << "," << c.y;
        Objet__Liberation(o);
        Univers__LiberationUnites(voisin);
        Objet__Liberation(voisin);
    }
}

TEST_F(Grilles, ZonesLibres) {
    ObjetNaissance(0, 0, 20, 20, -1, 0);
    EXPECT_EQ(Univers__ZoneLibreUnites(20, 20, 0, 0), 1);   // side 0 is always free
    EXPECT_EQ(Univers__ZoneLibreUnites(18, 18, 2, 2), 1);
    EXPECT_EQ(Univers__ZoneLibreUnites(18, 18, 3, 3), 0);
    EXPECT_EQ(PointeurCase, GrilleUnites + 21 + 128 * 20);   // stopped after the occupied cell
    EXPECT_EQ(Univers__ZoneLibreAir(18, 18, 3, 3), 1);
    EXPECT_EQ(Univers__ZoneLibreSol(18, 18, 3, 3), 1);
    // Off the map counts as taken.
    EXPECT_EQ(Univers__ZoneLibreUnites(126, 0, 3, 3), 0);
    EXPECT_EQ(Univers__ZoneLibreUnites(-1, 5, 2, 2), 0);
    EXPECT_EQ(Univers__ZoneLibreUnites(126, 126, 2, 2), 1);
}

TEST_F(Grilles, EmpreintesAuBordDeLaCarte) {
    struct Cas {
        int maitre, x, y, cases;
    };
    // Footprints are clipped to the map, never wrapped into the next row nor written past the grid.
    for (Cas c : {Cas{1, 127, 60, 2}, Cas{1, 60, 127, 2}, Cas{1, 127, 127, 1}, Cas{2, 125, 125, 9}, Cas{2, 0, 0, 36},
                  Cas{2, 124, 0, 24}}) {
        int o = ObjetNaissance(c.maitre, 0, c.x, c.y, -1, 0);
        EXPECT_EQ(Occupees(GrilleUnites, o), c.cases) << c.x << "," << c.y;
        if (c.x == 127) {
            EXPECT_EQ(Univers__CaseUnites(0, c.y + 1 < 128 ? c.y + 1 : 0), 0);
        }
        Univers__LiberationUnites(o);
        EXPECT_EQ(Occupees(GrilleUnites, o), 0);
        Objet__Liberation(o);
    }
    // An object moved off the map by later code stamps only its cells on the map.
    int o = ObjetNaissance(2, 0, 0, 0, -1, 0);
    TableObjets[o].x = -3;
    TableObjets[o].y = -2;
    Univers__OccupationUnites(o);
    EXPECT_EQ(Occupees(GrilleUnites, o), 12);
    Univers__OccupationAir(o);
    EXPECT_EQ(Occupees(GrilleAir, o), 12);
    // Single cells off the map read empty and take no write.
    Univers__PoseCaseUnites(128, 0, 7);
    Univers__PoseCaseUnites(-1, 3, 7);
    EXPECT_EQ(Occupees(GrilleUnites, 7), 0);
    EXPECT_EQ(Univers__CaseUnites(200, 200), 0);
    EXPECT_EQ(Univers__CaseSol(-5, 0), 0);
}

// A rectangle is empty of objects when none of its cells on the map holds an index of the object
// table; with a row of armies, of an army it flags. Cells off the map and values outside the table
// are passed over.
TEST_F(Grilles, RectangleSansObjet) {
    const int ami = ObjetNaissance(0, 0, 20, 20, -1, 0);
    const int ennemi = ObjetNaissance(0, 1, 30, 20, -1, 0);
    GrilleUnites[40 + TAILLE_UNIVERS * 20] = NOMBRE_OBJETS;   // not an object index
    GrilleUnites[41 + TAILLE_UNIVERS * 20] = -3;
    const int32_t contre0[6] = {0, 1, 0, 0, 0, 0};
    struct Cas {
        int x0, y0, x1, y1;
        const int32_t* armees;
        bool vide;
    } cas[] = {
        {0, 0, 19, 127, nullptr, true},     // left of both
        {0, 0, 20, 20, nullptr, false},     // the ally in the corner
        {20, 20, 20, 20, contre0, true},    // only an ally
        {21, 0, 127, 19, contre0, true},
        {21, 20, 30, 20, contre0, false},   // the enemy on the last cell
        {31, 0, 200, 200, nullptr, true},   // what lies off the map is passed over, as are 40 and 41
        {-50, -50, 19, 19, nullptr, true},
        {30, 20, 29, 20, nullptr, true},    // an empty range
    };
    for (const Cas& c : cas)
        EXPECT_EQ(Univers__RectangleSansObjet(GrilleUnites, c.x0, c.y0, c.x1, c.y1, c.armees), c.vide)
            << c.x0 << "," << c.y0 << " - " << c.x1 << "," << c.y1;
    EXPECT_TRUE(Univers__RectangleSansObjet(nullptr, 0, 0, 127, 127, nullptr));
    EXPECT_NE(ami, ennemi);
    GrilleUnites[40 + TAILLE_UNIVERS * 20] = GrilleUnites[41 + TAILLE_UNIVERS * 20] = 0;
}

// Rows of any width, from any column, against the plain look at every cell: a sparse grid of a
// few armies' objects, values outside the table, rectangles over and past the map's edges.
TEST_F(Grilles, RectangleSansObjetCommeLaMarcheDeToutesLesCases) {
    uint32_t graine = 5;
    auto hasard = [&](int n) {
        graine = graine * 1103515245u + 12345u;
        return static_cast<int>((graine >> 16) % static_cast<uint32_t>(n));
    };
    for (int n = 1; n < 40; ++n) TableObjets[n].armee = n % 8 - 1;   // -1 and 6 are off the table
    const int32_t armees[6] = {0, 1, 0, 1, 0, 0};
    int vides = 0, pleins = 0;
    for (int tour = 0; tour < 40; ++tour) {
        for (int i = 0; i < TAILLE_UNIVERS * TAILLE_UNIVERS; ++i)
            GrilleUnites[i] = hasard(60) != 0 ? 0 : hasard(8) == 0 ? NOMBRE_OBJETS + hasard(3) - 1 - 2 * hasard(2) : 1 + hasard(39);
        for (int essai = 0; essai < 100; ++essai) {
            const int x0 = hasard(150) - 11, y0 = hasard(150) - 11;
            const int x1 = x0 + hasard(30) - 2, y1 = y0 + hasard(30) - 2;
            const int32_t* filtre = hasard(2) ? armees : nullptr;
            bool attendu = true;
            for (int y = std::max(y0, 0); y <= std::min(y1, TAILLE_UNIVERS - 1); ++y)
                for (int x = std::max(x0, 0); x <= std::min(x1, TAILLE_UNIVERS - 1); ++x) {
                    const int32_t n = GrilleUnites[x + TAILLE_UNIVERS * y];
                    if (n < 1 || n >= NOMBRE_OBJETS) continue;
                    const int a = TableObjets[n].armee;
                    if (!filtre || (a >= 0 && a <= 5 && filtre[a])) attendu = false;
                }
            ASSERT_EQ(Univers__RectangleSansObjet(GrilleUnites, x0, y0, x1, y1, filtre), attendu)
                << x0 << "," << y0 << " - " << x1 << "," << y1 << " tour " << tour;
            (attendu ? vides : pleins)++;
        }
    }
    EXPECT_GT(vides, 500);
    EXPECT_GT(pleins, 500);
    std::fill(GrilleUnites, GrilleUnites + TAILLE_UNIVERS * TAILLE_UNIVERS, 0);
}

// One object in a row, at every column of rectangles one to twenty cells wide, at the left edge,
// in the middle and against the right edge of the map, and just outside them: a row read by
// blocks of four must see every column of the rectangle and none beyond.
TEST_F(Grilles, RectangleSansObjetVoitChaqueColonne) {
    TableObjets[7].armee = 2;
    const int32_t armees[6] = {0, 0, 1, 0, 0, 0};
    const int y = 50;
    for (int largeur = 1; largeur <= 20; ++largeur)
        for (const int x0 : {0, 3, 61, TAILLE_UNIVERS - largeur})
            for (int x = x0 - 1; x <= x0 + largeur; ++x) {
                if (x < 0 || x >= TAILLE_UNIVERS) continue;
                GrilleUnites[x + TAILLE_UNIVERS * y] = 7;
                const bool dedans = x >= x0 && x < x0 + largeur;
                for (const int32_t* filtre : {static_cast<const int32_t*>(nullptr), armees})
                    EXPECT_EQ(Univers__RectangleSansObjet(GrilleUnites, x0, y - 2, x0 + largeur - 1, y + 1, filtre), !dedans)
                        << "largeur " << largeur << " depuis " << x0 << " objet en " << x;
                GrilleUnites[x + TAILLE_UNIVERS * y] = 0;
            }
}

}  // namespace
