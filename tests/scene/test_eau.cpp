#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "arbre_temporaire.h"
#include "foundation/ecran.h"
#include "foundation/ecran_fixture.h"   // FinProgramme
#include "foundation/sprites.h"
#include "platform/plateforme.h"
#include "scene/eau.h"
#include "sprite_essai.h"
#include "world/univers.h"

namespace {

using essai::Rvb;

class Liquides : public ::testing::Test {
  protected:
    ArbreTemporaire arbre;
    std::vector<uint16_t> ecran = std::vector<uint16_t>(640 * 480, 0x1234);

    void SetUp() override {
        Plateforme_Initialiser(OptionsPlateforme{});
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
        const uint8_t format[7] = {1, 10, 3, 5, 3, 0, 3};
        ASSERT_EQ(SprDll_Init(12, format, nullptr), 0);
        EcranTampon = ecran.data();
        Ecran__Geometrie(640, 480);
    }
    void TearDown() override {
        Eau__Liberation();
        SprDll_Free();
        EcranTampon = nullptr;
        Plateforme_Fermer();
    }
    std::string Rapport() const { return arbre.Lire("Erreur.txt"); }

    // A liquid whose planes are given pixel by pixel: f(x, y) -> 5-5-5.
    template <typename F>
    static void Remplir(std::array<uint8_t, PIXELS_LIQUIDE * 3>& plan, F f) {
        std::array<uint16_t, PIXELS_LIQUIDE> t{};
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 48; ++x) t[y * 48 + x] = f(x, y);
        Liquide__Decompresser(t.data(), plan.data());
    }
    static std::unique_ptr<SurfaceLiquide> Surface() {
        auto s = std::make_unique<SurfaceLiquide>();
        s->pasTexture = s->pasDeformation = 1;
        return s;
    }
};

TEST_F(Liquides, RippleTablesFollowTheSineOfSevenDegreeSteps) {
    Ondulation__Construction();
    struct Cas { int i, sinus, cosinus; };
    // 5 x sin / cos of 7i degrees, truncated, plus 5: row 0 is shifted by 5 and 10, never by 0.
    for (const Cas& c : {Cas{0, 5, 10}, Cas{1, 5, 9}, Cas{13, 9, 5}, Cas{26, 5, 1}, Cas{39, 1, 5}, Cas{47, 3, 9}}) {
        EXPECT_EQ(OndulationSinus[c.i], c.sinus) << c.i;
        EXPECT_EQ(OndulationCosinus[c.i], c.cosinus) << c.i;
    }
    for (int i = 0; i < 48; ++i) {
        EXPECT_GE(OndulationSinus[i], 1);
        EXPECT_LE(OndulationCosinus[i], 10);
    }
}

TEST_F(Liquides, UnpackingGivesTheFiveBitChannels) {
    std::array<uint16_t, PIXELS_LIQUIDE> t{};
    t[0] = Rvb(17, 9, 4);
    t[1] = 0x7FFF;
    t[2] = Rvb(0, 31, 0) | 0x8000;   // the spare bit is not a colour
    std::vector<uint8_t> plan(PIXELS_LIQUIDE * 3);
    Liquide__Decompresser(t.data(), plan.data());
    EXPECT_EQ(std::vector<uint8_t>(plan.begin(), plan.begin() + 9), (std::vector<uint8_t>{17, 9, 4, 31, 31, 31, 0, 31, 0}));
}

TEST_F(Liquides, PhasesRunFromOneToFortyEightAndWrap) {
    auto s = Surface();
    Liquide__Animation(s.get());
    EXPECT_EQ(s->phaseTexture, 1);
    EXPECT_EQ(s->phaseDeformation, 1);
    for (int k = 2; k <= 48; ++k) Liquide__Animation(s.get());
    EXPECT_EQ(s->phaseTexture, 48);
    EXPECT_EQ(s->phaseDeformation, 48);
    Liquide__Animation(s.get());
    EXPECT_EQ(s->phaseTexture, 1);
    EXPECT_EQ(s->phaseDeformation, 1);
}

TEST_F(Liquides, DeformationWashesTheTextureThroughTheCurveTwice) {
    auto s = Surface();
    Remplir(s->texture, [](int, int) { return Rvb(10, 10, 10); });
    // Red 14 adds curve[curve[14]] = curve[12] = 8; green 25 reads curve[32], past the curve: 32.
    Remplir(s->deformation, [](int, int) { return Rvb(14, 25, 0); });
    Liquide__Animation(s.get());
    for (uint16_t p : s->tuile) ASSERT_EQ(p, Rvb(18, 31, 10));
    Remplir(s->deformation, [](int, int) { return Rvb(31, 6, 3); });
    Liquide__Animation(s.get());
    for (uint16_t p : s->tuile) ASSERT_EQ(p, Rvb(31, 11, 11));
}

TEST_F(Liquides, TextureScrollsUpAndRipplesByTheCosineRow) {
    auto s = Surface();
    // Each texel tells its own column and row.
    Remplir(s->texture, [](int x, int y) { return Rvb(y & 31, x & 31, (x >> 5) | (y >> 5) << 1); });
    Ondulation__Construction();
    for (int pas = 0; pas < 7; ++pas) {
        const int phase = s->phaseTexture;
        Liquide__Animation(s.get());
        for (int y : {0, 1, 20, 47})
            for (int x : {0, 5, 40, 47}) {
                const int sy = (y + phase) % 48, sx = (x + OndulationCosinus[y]) % 48;
                ASSERT_EQ(s->tuile[y * 48 + x], Rvb(sy & 31, sx & 31, (sx >> 5) | (sy >> 5) << 1))
                    << "phase " << phase << " at " << x << "," << y;
            }
    }
}

// The deformation scrolls down: its bright row 0 shows at row `phase`, for every phase up to 48
// (a negative remainder would read rows before the plane).
TEST_F(Liquides, DeformationScrollsDownForEveryPhase) {
    auto s = Surface();
    Remplir(s->deformation, [](int, int y) { return y == 0 ? Rvb(25, 25, 25) : 0; });
    for (int pas = 0; pas < 50; ++pas) {
        const int phase = s->phaseDeformation;
        Liquide__Animation(s.get());
        for (int y = 0; y < 48; ++y) {
            const uint16_t attendu = y == phase % 48 ? Rvb(31, 31, 31) : 0;
            ASSERT_EQ(s->tuile[y * 48 + 17], attendu) << "phase " << phase << " row " << y;
        }
    }
}

TEST_F(Liquides, InitDrawsFrameZeroOfEachFileAndGivesTheTargetBack) {
    arbre.Ecrire("Sprite/Eau.spr", essai::FichierDirect(48, 48, Rvb(3, 6, 9)));
    // Larger than the tile: clipped to it.
    arbre.Ecrire("Sprite/EauDeformation.spr", essai::FichierDirect(60, 70, Rvb(14, 0, 0)));
    arbre.Ecrire("Sprite/Lave.spr", essai::FichierDirect(48, 48, Rvb(20, 4, 0)));
    arbre.Ecrire("Sprite/LaveDeformation.spr", essai::FichierDirect(20, 20, Rvb(0, 0, 25)));   // holes read black
    EcranDestination.clipGauche = 24;
    EcranDestination.clipHaut = 0;
    EcranDestination.clipDroite = 600;
    EcranDestination.clipBas = 480;
    const EcranSprite avant = EcranDestination;

    // Lava alone still ripples: the tables are made by whichever liquid comes first.
    LaveInit("..\\Sprite\\Lave.spr", "..\\Sprite\\LaveDeformation.spr");
    EXPECT_EQ(OndulationCosinus[0], 10);
    EauInit("..\\sprite\\eau.spr", "..\\Sprite\\EauDeformation.spr");
    EXPECT_FALSE(arbre.Existe("Erreur.txt")) << Rapport();
    EXPECT_EQ(EcranDestination.pixels, ecran.data());
    EXPECT_EQ(EcranDestination.pasPixels, 640);
    EXPECT_EQ(EcranDestination.clipGauche, avant.clipGauche);
    EXPECT_EQ(EcranDestination.clipDroite, avant.clipDroite);
    EXPECT_EQ(EcranDestination.hauteurPixels, avant.hauteurPixels);
    ASSERT_NE(EauSurface, nullptr);
    ASSERT_NE(LaveSurface, nullptr);
    EXPECT_EQ(EauSurface->phaseTexture, 0);
    EXPECT_EQ(EauSurface->pasTexture, 1);
    EXPECT_EQ(EauSurface->pasDeformation, 1);
    for (int i : {0, 47, 2303}) {
        EXPECT_EQ(EauSurface->texture[i * 3 + 2], 9);
        EXPECT_EQ(EauSurface->deformation[i * 3], 14);
    }
    EXPECT_EQ(LaveSurface->deformation[(19 * 48 + 19) * 3 + 2], 25);
    EXPECT_EQ(LaveSurface->deformation[(20 * 48 + 19) * 3 + 2], 0);

    Eau__Animation();
    Lave__Animation();
    EXPECT_EQ(EauSurface->tuile[0], Rvb(3 + 8, 6, 9));
    // A square at (48, 96) from the clip origin, opaque, nothing outside it.
    Eau__AffichageCase(48, 96);
    EXPECT_EQ(ecran[96 * 640 + 72], Rvb(11, 6, 9));
    EXPECT_EQ(ecran[143 * 640 + 119], Rvb(11, 6, 9));
    EXPECT_EQ(ecran[96 * 640 + 71], 0x1234);
    EXPECT_EQ(ecran[144 * 640 + 72], 0x1234);
    Lave__AffichageCase(0, 0);
    EXPECT_EQ(ecran[0 * 640 + 24] >> 10, 20);

    // Once freed, nothing is drawn and nothing moves.
    Eau__Liberation();
    EXPECT_EQ(EauSurface, nullptr);
    EXPECT_EQ(LaveSurface, nullptr);
    std::vector<uint16_t> copie = ecran;
    Eau__Animation();
    Lave__Animation();
    Eau__AffichageCase(0, 0);
    Lave__AffichageCase(48, 48);
    EXPECT_EQ(ecran, copie);
}

TEST_F(Liquides, AFileThatIsNoSpriteEndsTheProgram) {
    struct Cas { const char* texture; const char* deformation; const char* rapport; };
    const std::string sprite = essai::FichierDirect(48, 48, Rvb(1, 1, 1));
    arbre.Ecrire("Sprite/bon.spr", sprite);
    arbre.Ecrire("Sprite/texte.spr", "pas un sprite");
    for (const Cas& c : {Cas{"..\\Sprite\\texte.spr", "..\\Sprite\\bon.spr", "EauInit1(): Fichier sprite ..\\Sprite\\texte.spr non trouvé"},
                         Cas{"..\\Sprite\\bon.spr", "..\\Sprite\\texte.spr", "EauInit2(): Fichier sprite ..\\Sprite\\texte.spr non trouvé"},
                         Cas{"..\\Sprite\\absent.spr", "..\\Sprite\\bon.spr", "Fichier_Ouverture(): fichier non trouvé : ..\\Sprite\\absent.spr"}}) {
        std::filesystem::remove(arbre.Racine() / "Erreur.txt");
        int code = -1;
        try {
            LaveInit(c.texture, c.deformation);
        } catch (const FinProgramme& f) {
            code = f.code;
        }
        EXPECT_EQ(code, 1);
        EXPECT_EQ(Rapport(), c.rapport) << c.texture;
        EXPECT_EQ(LaveSurface, nullptr);
        EXPECT_EQ(EcranDestination.pixels, ecran.data());
        EXPECT_EQ(EcranDestination.pasPixels, 640);
    }
}

}  // namespace
