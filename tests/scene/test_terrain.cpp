#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "scene/meteo.h"
#include "scene/palettes.h"
#include "scene/terrain.h"
#include "shell/saisie.h"
#include "shell/trame.h"
#include "world/grilles.h"
#include "world/niveau.h"
#include "world/objets.h"
#include "world/univers.h"

namespace {

// A 640 x 480 view (13 x 10 squares) over a level whose squares all hold tile 30. The shade table's
// entry tells its light step and palette index (step << 8 | index); tile n is filled with index
// n % 250 + 1, and tile 5 (of a transparent range) has index 0 on its even texels.
class Terrain : public ::testing::Test {
  protected:
    static constexpr uint16_t Fond = 0xFFFF;
    std::vector<uint16_t> tampon = std::vector<uint16_t>(640 * 480, Fond);
    std::vector<uint16_t> table = std::vector<uint16_t>(128 * 256);
    std::vector<uint8_t> banque = std::vector<uint8_t>(676 * 2304);

    void SetUp() override {
        EcranTampon = tampon.data();
        Ecran__Geometrie(640, 480);
        for (int pas = 0; pas < 128; ++pas)
            for (int i = 0; i < 256; ++i) table[pas * 256 + i] = static_cast<uint16_t>(pas << 8 | i);
        for (int n = 0; n < 676; ++n)
            for (int t = 0; t < 2304; ++t) banque[n * 2304 + t] = static_cast<uint8_t>(n % 250 + 1);
        for (int t = 0; t < 2304; t += 2) banque[5 * 2304 + t] = 0;
        TerrainTableOmbrage = table.data();
        TerrainTuiles = banque.data();
        TerrainNombreTuiles = 676;
        Univers__AlloueGrilles();
        GrilleMatieres.fill('H');
        EauPresente = LavePresente = 0;
        Flux({});
        RepereX = RepereY = 0;
        LumiereActive = 0;
        IntensiteLumineuse = 0;
        DemandeSelection = DebutSelectionIcone = 0;
        SourisX = SourisY = 0;
    }
    void TearDown() override {
        TerrainTableOmbrage = nullptr;
        TerrainTuiles = nullptr;
        TerrainNombreTuiles = 0;
        Niveau__LiberationTuiles();
        Univers__LibereGrilles();
        EcranTampon = nullptr;
    }
    // The level's stream: row 0 starts with `debut`, then every square of every row is tile 30.
    static void Flux(const std::vector<int32_t>& debut) {
        Niveau__LiberationTuiles();
        std::vector<int32_t> e;
        for (int ligne = 0; ligne < LIGNES_TUILES; ++ligne) {
            DebutLigne[ligne] = static_cast<int32_t>(e.size());
            int carres = 0;
            if (ligne == 0)
                for (int32_t v : debut) {
                    e.push_back(v);
                    if (v > 0) ++carres;
                }
            for (; carres < LIGNES_TUILES; ++carres) e.push_back(30);
        }
        NombreEntreesTuiles = static_cast<int32_t>(e.size());
        TableDebutLigne = new int32_t[e.size()];
        std::copy(e.begin(), e.end(), TableDebutLigne);
    }
    uint16_t Pixel(int x, int y) const { return tampon[y * 640 + x]; }
    static int32_t Corner(int i, int j) { return GrilleLumiere[j * (CasesVisiblesX + 1) + i]; }
};

TEST_F(Terrain, LightingOffDrawsEverySquareAtTheBrightestStep) {
    GrilleMatieres[5 * 128 + 5] = 'L';
    TableObjets[7].famille = 1;
    TableObjets[7].typeMaitre = 151;
    GrilleUnites[10 * 128 + 10] = 7;
    IntensiteLumineuse = 0;
    Terrain__Affichage();
    for (int32_t v : GrilleLumiere) ASSERT_EQ(v, 96);
    for (int y : {0, 100, 479})
        for (int x : {0, 300, 623}) EXPECT_EQ(Pixel(x, y), 127 << 8 | 31) << x << "," << y;
    EXPECT_EQ(Pixel(630, 10), Fond);   // right of the view
}

TEST_F(Terrain, LightingOnAwayFromLightUsesTheHourLevel) {
    LumiereActive = 1;
    SourisX = 620;
    SourisY = 470;
    for (auto [niveau, pas] : {std::pair{0, 28}, std::pair{31, 119}, std::pair{16, 76}}) {
        IntensiteLumineuse = niveau;
        Terrain__Affichage();
        EXPECT_EQ(Pixel(10, 10), pas << 8 | 31) << niveau;
        EXPECT_EQ(Pixel(100, 200), pas << 8 | 31) << niveau;
    }
}

TEST_F(Terrain, LightSourcesStampTheirStrength) {
    struct Cas { int famille, classe, armee, type, force; };
    for (const Cas& c : {Cas{0, 25, 2, 5, 15}, Cas{1, 0, 0, 151, 15}, Cas{1, 0, 0, 393, 15}, Cas{1, 0, 0, 18, 0},
                         Cas{0, 0, 0, 18, 3}, Cas{0, 0, 0, 6, 0}, Cas{0, 0, 0, 12, 0}, Cas{0, 0, 0, 9, -1},
                         Cas{0, 0, 0, 21, 5}, Cas{0, 0, 0, 26, 5}, Cas{0, 0, 0, 340, 6}, Cas{0, 0, 0, 100, 3},
                         Cas{0, 0, 3, 18, 3}, Cas{0, 0, 1, 340, 1}})
        EXPECT_EQ(Lumiere__ForceObjet(c.famille, c.classe, c.armee, c.type), c.force) << c.type;

    LumiereActive = 1;
    IntensiteLumineuse = 0;   // base 7
    SourisX = 620;
    SourisY = 470;
    RepereX = 20;
    RepereY = 10;
    // View cell (6, 4): a fortification; view cell (21, 15): lava.
    TableObjets[9].classe = 25;
    GrilleUnites[(10 + 4) * 128 + 20 + 6] = 9;
    GrilleMatieres[(10 + 15) * 128 + 20 + 21] = 'L';
    Terrain__Affichage();
    EXPECT_EQ(Corner(4, 3), 5 * 15);   // bottom-right corner of square (3, 2)
    EXPECT_EQ(Corner(3, 3), 4 * 15);
    EXPECT_EQ(Corner(2, 1), 1 * 15);
    EXPECT_EQ(Corner(11, 8), 5 * 4);   // lava of square (10, 7)
    EXPECT_EQ(Corner(10, 7), 3 * 4);
    EXPECT_EQ(Corner(8, 1), 7);
    EXPECT_EQ(ObjetCourant, &TableObjets[9]);
    // The lit square's corners reach its pixels: corners 60, 75, 60, 75 (+ 7s) give more than 127 at
    // the fortification's square bottom-right.
    EXPECT_EQ(Pixel(3 * 48 + 47, 2 * 48 + 47) >> 8, 127);
}

TEST_F(Terrain, CornerZeroIsNeverLitByASource) {
    LumiereActive = 1;
    SourisX = 620;
    SourisY = 470;
    TableObjets[4].armee = 0;
    TableObjets[4].typeMaitre = 340;
    GrilleUnites[0] = 4;
    Terrain__Affichage();
    EXPECT_EQ(Corner(0, 0), 7);
    EXPECT_EQ(Corner(1, 0), 4 * 6);
    EXPECT_EQ(Corner(1, 1), 5 * 6);
}

TEST_F(Terrain, TileNumbersChooseTheRenderer) {
    // Square 0: 30 with an overlay of the checkered 5; 1: 95 (nothing); 2: 5 alone; 3: 390 (bank 388);
    // 4: 389 (nothing); 5: 700 (past the bank); 6: 24 (opaque); 7: 0 as an overlay of 30.
    Flux({30, -5, 95, 5, 390, 389, 700, 24, 30, 0});
    Terrain__Affichage();
    const auto indice = [&](int carre, int tx, int ty) { return Pixel(carre * 48 + tx, ty) & 0xFF; };
    EXPECT_EQ(indice(0, 0, 0), 31);   // texel 0 of the overlay is not drawn
    EXPECT_EQ(indice(0, 1, 0), 6);
    EXPECT_EQ(Pixel(1 * 48 + 7, 7), Fond);
    EXPECT_EQ(Pixel(2 * 48, 0), Fond);
    EXPECT_EQ(indice(2, 1, 0), 6);
    EXPECT_EQ(indice(3, 20, 20), 388 % 250 + 1);
    EXPECT_EQ(Pixel(4 * 48 + 3, 3), Fond);
    EXPECT_EQ(Pixel(5 * 48 + 3, 3), Fond);
    EXPECT_EQ(indice(6, 3, 3), 25);
    EXPECT_EQ(indice(7, 3, 3), 1);   // tile 0 over the 30: its texels are 1, all drawn
    EXPECT_EQ(indice(8, 3, 3), 31);
}

TEST_F(Terrain, ViewSkipsTheSquaresLeftOfItsOriginWithTheirOverlays) {
    Flux({40, -5, -6, 41, -7, 42, 43});
    RepereX = 4;   // two squares
    Terrain__Affichage();
    EXPECT_EQ(Pixel(3, 3) & 0xFF, 43);
    EXPECT_EQ(Pixel(48 + 3, 3) & 0xFF, 44);
    EXPECT_EQ(Pixel(48 + 3, 48 + 3) & 0xFF, 31);
}

TEST_F(Terrain, ViewOriginIsClampedEvenBeforeDrawing) {
    struct Cas { int x, y, attenduX, attenduY; };
    for (const Cas& c : {Cas{126, 127, 100, 106}, Cas{102, 108, 100, 106}, Cas{-6, -2, 0, 0}, Cas{40, 50, 40, 50}}) {
        RepereX = c.x;
        RepereY = c.y;
        Terrain__Affichage();
        EXPECT_EQ(RepereX, c.attenduX) << c.x;
        EXPECT_EQ(RepereY, c.attenduY) << c.y;
        EXPECT_EQ(ReperePixelX, c.attenduX * 24);
        EXPECT_EQ(ReperePixelY, c.attenduY * 24);
    }
}

TEST_F(Terrain, MouseSpotOrDraggedBox) {
    LumiereActive = 1;
    RepereX = 10;
    RepereY = 10;
    SourisX = 2 * 48 + 5;   // square (2, 1)
    SourisY = 1 * 48 + 5;
    DemandeSelection = 1;
    CadreDebutX = CadreFinX = 14;
    CadreDebutY = CadreFinY = 12;
    Terrain__Affichage();   // a drag that has not moved lights the spot
    EXPECT_EQ(Corner(3, 2), 60);
    EXPECT_EQ(Corner(1, 0), 12);
    EXPECT_EQ(Corner(6, 2), 7);

    // A box from cell (14, 12), square (2, 1), towards the mouse at cell (22, 18): 4 x 3 squares.
    SourisX = 12 * 24;
    SourisY = 8 * 24;
    CadreFinX = 22;
    CadreFinY = 18;
    Terrain__Affichage();
    EXPECT_EQ(ZoneCurseurX, 22);
    EXPECT_EQ(ZoneCurseurY, 18);
    for (int j = 0; j <= TuilesVisiblesY; ++j)
        for (int i = 0; i <= TuilesVisiblesX; ++i) {
            const bool dedans = i >= 3 && i <= 6 && j >= 2 && j <= 4;
            EXPECT_EQ(Corner(i, j), dedans ? 127 : 7) << i << "," << j;
        }

    // Towards the top-left, from a start far out of view: only the view's corners are lit.
    CadreDebutX = RepereX + 150;
    CadreDebutY = RepereY + 90;
    SourisX = SourisY = 0;
    CadreFinX = CadreFinY = 0;
    Terrain__Affichage();
    EXPECT_EQ(Corner(TuilesVisiblesX, TuilesVisiblesY), 127);
    EXPECT_EQ(Corner(1, 1), 7);

    // A box begun on an icon lights the spot instead.
    DebutSelectionIcone = 1;
    SourisX = SourisY = 0;
    Terrain__Affichage();
    EXPECT_EQ(Corner(1, 1), 60);
    EXPECT_EQ(Corner(TuilesVisiblesX, TuilesVisiblesY), 7);
}

TEST_F(Terrain, SnowCellsOfTheViewAreCounted) {
    GrilleMatieres[0] = 'N';                 // out of view once the origin moves
    GrilleMatieres[20 * 128 + 30] = 'N';
    GrilleMatieres[20 * 128 + 31] = 'N';
    RepereX = 30;
    RepereY = 20;
    Terrain__Affichage();
    EXPECT_EQ(CasesNeige, 2);
}

}  // namespace
