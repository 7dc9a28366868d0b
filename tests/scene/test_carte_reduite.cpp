// The minimap: its base image from the level, its overlay of objects, the view rectangle and
// markers, and where it stands on the screen.
#include <set>

#include "interface_fixture.h"
#include "battle/coups.h"
#include "scene/carte_reduite.h"
#include "shell/conditions.h"
#include "shell/routeur.h"
#include "shell/trame.h"
#include "world/grilles.h"
#include "world/niveau.h"

namespace {

class CarteReduite : public Interface {
  protected:
    void SetUp() override {
        Interface::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(Creer()) << Rapport();
        ModeSceneCourant = 2;
        RepereX = RepereY = 0;
    }
    void TearDown() override {
        CarteReduite_Liberation();
        Interface::TearDown();
    }
    static uint16_t Calque(int x, int y) { return CarteReduiteCalque[y * 96 + x]; }
    static uint16_t Image(int x, int y) { return CarteReduiteImage[y * 96 + x]; }
    // A made-up object in a free slot of the table, put on a grid cell.
    static int Poser(int32_t* grille, int indice, int x, int y, int famille, int categorie, int classe = 3, int type = 20) {
        Objet& o = TableObjets[static_cast<size_t>(indice)];
        o = Objet{};
        o.famille = famille;
        o.categorie = categorie;
        o.classe = classe;
        o.typeMaitre = type;
        grille[y * 128 + x] = indice;
        return indice;
    }
    static void Vider(int x, int y) { GrilleUnites[y * 128 + x] = GrilleAir[y * 128 + x] = 0; }
};

TEST(CarteReduiteCouleurs, FiveBitChannelsAndMaterialTable) {
    struct Cas {
        int r, g, b;
        uint16_t pixel;
    };
    for (const Cas& c : {Cas{255, 255, 255, 0x7FFF}, Cas{8, 16, 24, 1 << 10 | 2 << 5 | 3}, Cas{7, 7, 7, 0}, Cas{300, 0, 0, 31 << 10}})
        EXPECT_EQ(CarteReduite_Couleur555(c.r, c.g, c.b), c.pixel);
    EXPECT_EQ(CarteReduite_CouleurMatiere('E', 0), CarteReduite_Couleur555(0, 136, 239));
    EXPECT_EQ(CarteReduite_CouleurMatiere('T', 3), CarteReduite_Couleur555(100, 86, 71));
    EXPECT_EQ(CarteReduite_CouleurMatiere('N', 2), CarteReduite_Couleur555(211, 233, 240));
    EXPECT_EQ(CarteReduite_CouleurMatiere('X', 1), 0) << "an unknown letter is black";
    EXPECT_EQ(CarteReduite_CouleurMatiere(0, 1), 0);
    // An altitude off the four levels is held to them.
    EXPECT_EQ(CarteReduite_CouleurMatiere('H', 9), CarteReduite_CouleurMatiere('H', 3));
    EXPECT_EQ(CarteReduite_CouleurMatiere('H', -2), CarteReduite_CouleurMatiere('H', 0));
}

// At 640 x 480 the frame stands at (504, 360), the image at (509, 365), the view box is 19 x 15;
// where two map columns fall on one pixel the later one shows; the corners are shaded black.
TEST_F(CarteReduite, PlaceSizeAndBaseImage) {
    for (int y : {16, 17}) {
        GrilleMatieres[static_cast<size_t>(y * 128)] = 'E';
        GrilleMatieres[static_cast<size_t>(y * 128 + 1)] = 'L';
    }
    GrilleAltitude[4 * 32] = 2;
    GrilleAltitude[32 * 4 + 5] = 77;   // cells (20..23, 16..19): held to level 3
    for (int y = 16; y < 20; ++y)
        for (int x = 20; x < 24; ++x) GrilleMatieres[static_cast<size_t>(y * 128 + x)] = 'S';
    CarteReduite_Creation();
    EXPECT_EQ(CarteReduiteX, 504);
    EXPECT_EQ(CarteReduiteY, 360);
    EXPECT_EQ(CarteReduiteCadreLargeur, 19);
    EXPECT_EQ(CarteReduiteCadreHauteur, 15);
    EXPECT_FLOAT_EQ(CarteReduiteEchelleX, 0.75f);
    EXPECT_EQ(Image(0, 12), CarteReduite_CouleurMatiere('L', 2));
    EXPECT_EQ(Image(16, 13), CarteReduite_CouleurMatiere('S', 3));
    EXPECT_EQ(Image(0, 0), 0);
    EXPECT_EQ(Image(95, 95), 0);

    RepereX = RepereY = 40;   // the view box away from the pixels looked at
    CarteReduite_MiseAJour();
    Remplir(0);
    CarteReduite_Affichage();
    EXPECT_EQ(Pixel(509, 365 + 12), Image(0, 12));
    EXPECT_EQ(Pixel(509 + 16, 365 + 13), Image(16, 13));
    EXPECT_NE(Pixel(504, 400), 0) << "the frame";
    EXPECT_EQ(Pixel(503, 400), 0);
}

TEST_F(CarteReduite, OverlayOfUnitsFlyersTreesAndBuildings) {
    CarteReduite_Creation();
    struct Cas {
        const char* nom;
        int uFamille, uCategorie, uClasse;   // -1: none
        int aFamille, aCategorie;
        uint16_t attendu;
    };
    const uint16_t arbre = CarteReduite_Couleur555(57, 82, 57), batiment = CarteReduite_Couleur555(9, 9, 9);
    const Cas cas[] = {
        {"a man", 0, 3, 3, -1, 0, CarteReduite_Couleur555(157, 193, 59)},
        {"a siege engine", 5, 7, 10, -1, 0, CarteReduite_Couleur555(194, 32, 32)},
        {"a unit of no colour", 0, 12, 3, -1, 0, 0},
        {"a dragon over a man", 0, 3, 3, 6, 1, CarteReduite_Couleur555(41, 178, 235)},
        {"an angel alone", -1, 0, 0, 21, 8, CarteReduite_Couleur555(200, 200, 200)},
        {"a projectile hides the man", 0, 3, 3, 4, 1, 0},
        {"a building", 1, 0, 25, -1, 0, batiment},
        {"a tree decor", 2, 0, 22, -1, 0, arbre},
        {"water is not drawn", 2, 0, 24, -1, 0, 0},
        {"other decor", 2, 0, 5, -1, 0, batiment},
        {"a tree", 3, 0, 22, -1, 0, arbre},
        {"a corpse", 13, 0, 3, -1, 0, 0},
    };
    // Cell (2, 2) alone falls on minimap pixel (1, 1), at altitude 2.
    GrilleAltitude[0] = 2;
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        Vider(2, 2);
        if (c.uFamille >= 0) Poser(GrilleUnites, 1990, 2, 2, c.uFamille, c.uCategorie, c.uClasse);
        if (c.aFamille >= 0) Poser(GrilleAir, 1991, 2, 2, c.aFamille, c.aCategorie);
        CarteReduite_MiseAJour();
        EXPECT_EQ(Calque(1, 1), c.attendu);
    }
    Vider(2, 2);
}

// The sample factions' men, born from their masters on the sample level, each show on the
// minimap in their faction's colour; the barracks' neutral soldiers in a colour of their own.
TEST_F(CarteReduite, SampleFactionsHaveTheirOwnColours) {
    CarteReduite_Creation();
    struct Cas {
        const char* faction;
        int maitre, armee;
        uint16_t attendu;
    };
    const Cas cas[] = {
        {"Empire", 20, 0, CarteReduite_Couleur555(235, 16, 0)},      {"Justice", 23, 1, CarteReduite_Couleur555(41, 178, 235)},
        {"Lumiere", 34, 0, CarteReduite_Couleur555(194, 177, 96)},   {"Morvane", 10, 1, CarteReduite_Couleur555(146, 0, 123)},
        {"neutres", 51, 4, CarteReduite_Couleur555(200, 200, 200)},  {"archers Justice", 21, 1, CarteReduite_Couleur555(41, 178, 235)},
        {"mages Morvane", 11, 1, CarteReduite_Couleur555(146, 0, 123)}, {"archers Lumiere", 28, 0, CarteReduite_Couleur555(194, 177, 96)},
    };
    std::vector<std::pair<int, int>> pixels;
    for (size_t k = 0; k < std::size(cas); ++k) {
        const int o = Unite__CreationSeule(cas[k].maitre, cas[k].armee, 40 + 8 * static_cast<int>(k), 100, 0);
        ASSERT_GT(o, 0) << cas[k].faction;
        const Objet& u = TableObjets[static_cast<size_t>(o)];
        pixels.emplace_back(static_cast<int>(u.x * 0.75f), static_cast<int>(u.y * 0.75f));
    }
    CarteReduite_MiseAJour();
    std::set<uint16_t> couleurs;
    for (size_t k = 0; k < std::size(cas); ++k) {
        EXPECT_EQ(Calque(pixels[k].first, pixels[k].second), cas[k].attendu) << cas[k].faction;
        couleurs.insert(Calque(pixels[k].first, pixels[k].second));
    }
    EXPECT_EQ(couleurs.size(), 5u) << "four factions and the neutrals, each its own";
}

// A leader's marker slot by master type; of two such leaders the later in the scan keeps it.
TEST_F(CarteReduite, MarkersOfLeaders) {
    CarteReduite_Creation();
    Poser(GrilleUnites, 1990, 100, 10, 0, 9, 3, 376);
    Poser(GrilleUnites, 1991, 20, 30, 0, 9, 3, 376);
    Poser(GrilleUnites, 1992, 40, 40, 0, 9, 3, 5);
    Poser(GrilleUnites, 1993, 41, 40, 0, 8, 3, 120);   // not categorie 9: no marker
    TableAttaque[0][0] = 0;
    CarteReduite_MiseAJour();
    for (int s = 0; s < MARQUEURS_CARTE; ++s) {
        const MarqueurCarte& m = CarteReduiteMarqueurs[static_cast<size_t>(s)];
        const std::pair<int, int> attendu = s == 3 ? std::make_pair(20, 30) : s == 0 ? std::make_pair(40, 40) : std::make_pair(-1, m.y);
        EXPECT_EQ(std::make_pair(m.x, m.y), attendu) << s;
        if (s == 3) {
            EXPECT_EQ(m.type, 2);
        }
    }
    TableAttaque[0][0] = 1;
    CarteReduite_MiseAJour();
    EXPECT_EQ(CarteReduiteMarqueurs[3].type, 1);
    // Each drawing blinks it on by 2 frames, back to 0 past 29.
    CarteReduiteMarqueurs[3].image = 28;
    CarteReduiteMarqueurs[0].image = 4;
    CarteReduite_Affichage();
    EXPECT_EQ(CarteReduiteMarqueurs[3].image, 0);
    EXPECT_EQ(CarteReduiteMarqueurs[0].image, 6);
    EXPECT_EQ(Pixel(509 + 15, 365 + 22), CarteReduite_Couleur555(31 * 8, 30 * 8, 20 * 8)) << "the marker's heart over its leader";
    TableAttaque[0][0] = 0;
    GrilleUnites[10 * 128 + 100] = GrilleUnites[30 * 128 + 20] = GrilleUnites[40 * 128 + 40] = GrilleUnites[40 * 128 + 41] = 0;
}

// The view box follows the view and is held inside the square at the right and bottom.
TEST_F(CarteReduite, ViewBox) {
    CarteReduite_Creation();
    struct Cas {
        int repereX, repereY, x, y;
    };
    for (const Cas& c : {Cas{0, 0, 0, 0}, Cas{40, 20, 30, 15}, Cas{124, 124, 76, 80}, Cas{102, 108, 76, 80}}) {
        RepereX = c.repereX;
        RepereY = c.repereY;
        CarteReduite_MiseAJour();
        EXPECT_EQ(CarteReduiteCadreX, c.x) << c.repereX;
        EXPECT_EQ(CarteReduiteCadreY, c.y) << c.repereY;
        for (int y = c.y; y <= c.y + 15; ++y) {
            EXPECT_EQ(Calque(c.x, y), 0xFFFF);
            EXPECT_EQ(Calque(c.x + 19, y), 0xFFFF);
        }
        for (int x = c.x; x < c.x + 19; ++x) {
            EXPECT_EQ(Calque(x, c.y), 0xFFFF);
            EXPECT_EQ(Calque(x, c.y + 15), 0xFFFF);
        }
    }
}

// The skirmish preview has its own place and no markers; the images are built once and reused,
// freed and built again.
TEST_F(CarteReduite, PreviewPlaceAndLifecycle) {
    ModeSceneCourant = 3;
    CarteReduite_Creation();
    EXPECT_EQ(std::make_pair(CarteReduiteX, CarteReduiteY), std::make_pair(267, 305));
    uint16_t* image = CarteReduiteImage;
    CarteReduite_Creation();
    EXPECT_EQ(CarteReduiteImage, image);
    Remplir(0);
    CarteReduite_MiseAJour();
    CarteReduite_Affichage();
    EXPECT_EQ(std::make_pair(CarteReduiteX, CarteReduiteY), std::make_pair(267, 305));
    EXPECT_NE(Pixel(267 + 50, 305 + 2), 0);
    CarteReduite_Liberation();
    EXPECT_EQ(CarteReduiteImage, nullptr);
    EXPECT_EQ(CarteReduiteCalque, nullptr);
    CarteReduite_MiseAJour();
    CarteReduite_Affichage();   // nothing to copy
    CarteReduite_Liberation();
    ModeSceneCourant = 2;
    CarteReduite_Creation();
    EXPECT_NE(CarteReduiteImage, nullptr);
    EXPECT_EQ(CarteReduiteX, 504);
}

}  // namespace
