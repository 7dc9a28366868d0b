// The weather and liquids drawn from the sample game's own files over the sample terrain set: a
// view with a river, a lava pool and a snow field. Each test checks what its effect does to the
// picture; with MORVANE_CAPTURE set to a folder, each also writes its frame there as a PNG.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "arbre_temporaire.h"
#include "foundation/ecran.h"
#include "foundation/ecran_fixture.h"   // FinProgramme
#include "foundation/entrees.h"
#include "foundation/objetsgfx.h"
#include "foundation/sprites.h"
#include "platform/affichage.h"
#include "platform/hasard.h"
#include "platform/plateforme.h"
#include "scene/eau.h"
#include "scene/eclairs.h"
#include "scene/meteo.h"
#include "scene/palettes.h"
#include "scene/particules.h"
#include "scene/particules_effets.h"
#include "scene/terrain.h"
#include "shell/cycles.h"
#include "shell/routeur.h"
#include "shell/saisie.h"
#include "shell/trame.h"
#include "world/grilles.h"
#include "world/niveau.h"
#include "world/objets.h"
#include "world/univers.h"

namespace {

namespace fs = std::filesystem;

enum class Sol { Herbe, Terre, Eau, Lave, Neige };

// The square (i, j) of the 13 x 10 view.
Sol SolCarre(int i, int j) {
    if (i >= 9 && i <= 11 && j >= 6 && j <= 8) return Sol::Lave;
    if (i >= 7 && j <= 3) return Sol::Neige;
    const int rive = 3 + (j * 3 / 4) % 3;   // a river winding down the view
    if (i == rive || i == rive + 1) return Sol::Eau;
    return (i * 7 + j * 3) % 5 == 0 ? Sol::Terre : Sol::Herbe;
}

class VitrineMeteo : public ::testing::Test {
  protected:
    ArbreTemporaire arbre;
    std::vector<uint16_t> ecran = std::vector<uint16_t>(640 * 480, 0);
    NoeudEntier noeud;

    void SetUp() override {
        Plateforme_Initialiser(OptionsPlateforme{});
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
        const uint8_t format[7] = {1, 10, 3, 5, 3, 0, 3};
        ASSERT_EQ(SprDll_Init(12, format, nullptr), 0);
        EcranTampon = ecran.data();
        Ecran__Geometrie(640, 480);
        const fs::path jeu(MORVANE_JEU_DIR);
        fs::create_directories(arbre.Racine() / "ini");
        fs::copy_file(fs::path(MORVANE_SOURCE_DIR) / "data/ini/mv.ini", arbre.Racine() / "ini/mv.ini");
        fs::copy(fs::path(MORVANE_SOURCE_DIR) / "data/particules", arbre.Racine() / "particules",
                 fs::copy_options::recursive);
        fs::create_directory_symlink(jeu / "sprite", arbre.Racine() / "sprite");
        ASSERT_GT(CreationDeLalIsteDesObjetsGfx(), 1305);
        Effets_Chargement();
        Effets_AdressesScene();
        Terrain__Chargement((jeu / "spredit/moteur/matiere1").string().c_str(), 676);
        EauInit("..\\Sprite\\Eau.spr", "..\\Sprite\\EauDeformation.spr");
        LaveInit("..\\Sprite\\Lave.spr", "..\\Sprite\\LaveDeformation.spr");
        ASSERT_FALSE(arbre.Existe("Erreur.txt")) << arbre.Lire("Erreur.txt");
        Particules_Initialisation();
        Hasard_Graine(3);
        HorlogeJeu = 5000;
        Niveau();
        RepereX = RepereY = 0;
        LumiereActive = 1;
        IntensiteLumineuse = 31;
        DemandeSelection = DebutSelectionIcone = 0;
        SourisX = 600;
        SourisY = 460;
        CompteurCycle20 = 0;
    }
    void TearDown() override {
        Eclair__Liberation();
        for (int i = 5; i <= 8; ++i) TableObjets[i] = Objet{};
        Eau__Liberation();
        Terrain__Liberation();
        Niveau__LiberationTuiles();
        Univers__LibereGrilles();
        Effets_Liberation();
        ObjetsGfx_Liberation();
        SprDll_Free();
        EcranTampon = nullptr;
        Plateforme_Fermer();
    }

    // The tile stream and the materials of the view; the liquids' squares draw no ground.
    static void Niveau() {
        Univers__AlloueGrilles();
        GrilleMatieres.fill('H');
        Niveau__LiberationTuiles();
        std::vector<int32_t> e;
        for (int j = 0; j < LIGNES_TUILES; ++j) {
            DebutLigne[j] = static_cast<int32_t>(e.size());
            for (int i = 0; i < LIGNES_TUILES; ++i) {
                const Sol s = i < 13 && j < 10 ? SolCarre(i, j) : Sol::Herbe;
                const char lettre = s == Sol::Eau ? 'E' : s == Sol::Lave ? 'L' : s == Sol::Neige ? 'N' : 'H';
                for (int c = 0; c < 4; ++c) GrilleMatieres[(2 * j + c / 2) * 128 + 2 * i + c % 2] = static_cast<uint8_t>(lettre);
                switch (s) {
                    case Sol::Eau: e.push_back(94); break;
                    case Sol::Lave: e.push_back(388); break;
                    case Sol::Neige: e.push_back(63 + (i + j) % 13); break;
                    case Sol::Terre: e.push_back(24 + (i * j) % 13); break;
                    default: e.push_back(1 + (i + 2 * j) % 5); break;
                }
            }
        }
        NombreEntreesTuiles = static_cast<int32_t>(e.size());
        TableDebutLigne = new int32_t[e.size()];
        std::copy(e.begin(), e.end(), TableDebutLigne);
        EauPresente = LavePresente = 1;
    }
    void Capturer(const char* nom) const {
        if (const char* dossier = std::getenv("MORVANE_CAPTURE")) {
            EXPECT_TRUE(Image_EcrirePng555(std::string(dossier) + "/" + nom + ".png", ecran.data(), 640, 480));
        }
    }
    uint16_t Pixel(int x, int y) const { return ecran[static_cast<size_t>(y) * 640 + x]; }
    static int Luminosite(uint16_t p) { return (p >> 10 & 31) + (p >> 5 & 31) + (p & 31); }
    // The summed brightness of a rectangle.
    long Somme(int x0, int y0, int x1, int y1) const {
        long s = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) s += Luminosite(Pixel(x, y));
        return s;
    }
    void Poser(int i, int x, int y, int taille) {
        TableObjets[i] = Objet{};
        TableObjets[i].noeudListe = &noeud;
        TableObjets[i].ordreSecondaire = 1;
        TableObjets[i].x = x;
        TableObjets[i].y = y;
        TableObjets[i].taille = taille;
    }
};

TEST_F(VitrineMeteo, WaterAndLavaSquaresShowTheirAnimatedTiles) {
    for (int k = 0; k < 12; ++k) Terrain__Affichage();
    const std::vector<uint16_t> avant = ecran;
    // Square (4, 0) is water, (10, 7) lava: each shows its liquid's tile as it stands.
    for (int y = 0; y < 48; y += 7)
        for (int x = 0; x < 48; x += 5) {
            ASSERT_EQ(Pixel(4 * 48 + x, y), EauSurface->tuile[y * 48 + x]);
            ASSERT_EQ(Pixel(10 * 48 + x, 7 * 48 + y), LaveSurface->tuile[y * 48 + x]);
        }
    EXPECT_EQ(EauSurface->phaseTexture, 12);
    // Blue water, red lava.
    const uint16_t eau = Pixel(4 * 48 + 20, 20), lave = Pixel(10 * 48 + 20, 7 * 48 + 20);
    EXPECT_GT(eau & 31, eau >> 10 & 31);
    EXPECT_GT(lave >> 10 & 31, lave & 31);
    Capturer("eau_lave");
    // The next visible pass moves them; the ground stays.
    Terrain__Affichage();
    EXPECT_NE(std::vector<uint16_t>(ecran.begin() + 4 * 48, ecran.begin() + 5 * 48),
              std::vector<uint16_t>(avant.begin() + 4 * 48, avant.begin() + 5 * 48));
    EXPECT_EQ(Pixel(20, 20), avant[20 * 640 + 20]);
}

TEST_F(VitrineMeteo, NightDarkensTheGroundButNotTheLiquids) {
    Terrain__Affichage();
    const std::vector<uint16_t> jour = ecran;
    const long herbeJour = Somme(0, 96, 96, 200);
    // The hours of a day with a dark night: the level follows the table hour by hour.
    for (int h = 0; h < 24; ++h) TableIntensite[h] = h < 6 || h > 20 ? 3 : 31;
    ModeSceneCourant = 2;
    HeureDuJour = 20;
    HeureCompteur = 0;
    DureeHeure = 20;
    for (int i = 0; i < 20; ++i) Heure__Evolution();
    EXPECT_EQ(HeureDuJour, 21);
    EXPECT_EQ(IntensiteLumineuse, 3);
    Terrain__Affichage();
    EXPECT_LT(Somme(0, 96, 96, 200) * 10, herbeJour * 8);
    // The liquids are not lit: the water square is its tile as it stands.
    EXPECT_EQ(Pixel(4 * 48 + 10, 10), EauSurface->tuile[10 * 48 + 10]);
    // The lava lights the ground round it at night.
    EXPECT_GT(Somme(8 * 48 + 24, 6 * 48, 9 * 48, 7 * 48), Somme(0, 6 * 48, 24, 7 * 48));
    Capturer("nuit");
    // Day on the left, night on the right.
    for (int y = 0; y < 480; ++y)
        std::copy(jour.begin() + y * 640, jour.begin() + y * 640 + 312, ecran.begin() + y * 640);
    Capturer("jour_nuit");
    for (int h = 0; h < 24; ++h) TableIntensite[h] = 31;
    HeureDuJour = HeureCompteur = 0;
    ModeSceneCourant = 0;
}

TEST_F(VitrineMeteo, CloudShadowsDarkenWhatLiesUnder) {
    Terrain__Affichage();
    const std::vector<uint16_t> sans = ecran;
    NuagesNombre = 9;
    NuagesX[0] = -60, NuagesY[0] = -40;
    NuagesX[1] = 260, NuagesY[1] = 150;
    NuagesX[2] = 420, NuagesY[2] = 330;
    Nuages__Affichage();
    // Inside the second cloud, every pixel darker; beside all three, unchanged.
    const uint16_t avant = sans[(150 + 80) * 640 + 260 + 130], apres = Pixel(260 + 130, 150 + 80);
    EXPECT_LT(Luminosite(apres), Luminosite(avant));
    EXPECT_EQ(Pixel(5, 470), sans[470 * 640 + 5]);
    Capturer("nuages");
    // The wind carries them: after a few hundred steps they are elsewhere, and still drawn.
    VentDirection = 2;
    VentForce = 2;
    for (int i = 0; i < 40; ++i) Nuages__Deplacement();
    EXPECT_GE(NuagesX[1], 260 + 40);
}

TEST_F(VitrineMeteo, SnowFallsOverASnowFieldInView) {
    Terrain__Affichage();
    EXPECT_GE(CasesNeige, 81);
    const std::vector<uint16_t> sol = ecran;
    for (int k = 0; k < 40; ++k) {
        Particules_Gestion(1);
        Neige__Emission();
    }
    EXPECT_GT(NombreParticules2, 40);
    Particules_Affichage(PlanParticules2.data(), NombreParticules2);
    int blancs = 0;
    for (size_t i = 0; i < ecran.size(); ++i)
        if (ecran[i] != sol[i] && Luminosite(ecran[i]) > Luminosite(sol[i])) ++blancs;
    EXPECT_GT(blancs, 200);
    Capturer("neige");
}

TEST_F(VitrineMeteo, BoltsGlowBetweenCastersAndTargets) {
    Terrain__Affichage();
    const std::vector<uint16_t> sol = ecran;
    Poser(5, 15, 4, 1);
    Poser(6, 2, 16, 1);
    Poser(7, 20, 14, 2);
    Poser(8, 23, 3, 0);
    Eclair__Creation(60, 400, 4, 5, 6);
    Eclair__Creation(560, 120, 4, 7, 8);
    Eclair__Creation(300, 440, 4, 7, 6);
    for (int k = 0; k < 3; ++k) {
        Eclair__Gestion();
        Particules_Gestion(1);
        HorlogeJeu += 66;
    }
    EXPECT_GT(NombreParticules2, 0);
    Particules_Affichage(PlanParticules2.data(), NombreParticules2);
    Eclair__Affichage();
    int eclaires = 0;
    for (Eclair* e = ListeEclairs; e; e = e->suivant)
        for (const auto& pt : e->points) {
            const uint16_t p = Pixel(pt[0], pt[1]);
            eclaires += (p & 31) == 31 && Luminosite(p) > Luminosite(sol[static_cast<size_t>(pt[1]) * 640 + pt[0]]);
        }
    EXPECT_EQ(eclaires, 3 * 17);
    Capturer("eclairs");
}

}  // namespace
