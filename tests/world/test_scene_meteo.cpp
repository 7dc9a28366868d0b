// The scene start and teardown of the liquids, the lightning and the sky, on the sample game.
#include "scene_fixture.h"
#include "foundation/ecran.h"
#include "foundation/sprites.h"
#include "platform/temps.h"
#include "scene/eau.h"
#include "scene/eclairs.h"
#include "scene/meteo.h"
#include "shell/trame.h"

namespace {

class SceneMeteo : public Scene {
  protected:
    std::vector<uint16_t> ecran = std::vector<uint16_t>(640 * 480);

    void AvantChargement() override {
        const uint8_t format[7] = {1, 10, 3, 5, 3, 0, 3};
        ASSERT_EQ(SprDll_Init(12, format, nullptr), 0);
        EcranTampon = ecran.data();
        Ecran__Geometrie(640, 480);
    }
    void TearDown() override {
        Scene::TearDown();
        SprDll_Free();
        EcranTampon = nullptr;
    }
};

TEST_F(SceneMeteo, StartLoadsTheLiquidsAndSettlesTheSkyTeardownFreesThem) {
    arbre.Ecrire("ini/intensite.txt", "0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23");
    HeureDuJour = 5;
    HeureCompteur = 0;
    DureeHeure = 20;
    ASSERT_TRUE(Demarrer()) << Rapport();
    EXPECT_FALSE(arbre.Existe("Erreur.txt")) << Rapport();
    // Water and lava from the sample sprites, stepped once.
    ASSERT_NE(EauSurface, nullptr);
    ASSERT_NE(LaveSurface, nullptr);
    EXPECT_EQ(EauSurface->phaseTexture, 1);
    EXPECT_EQ(LaveSurface->phaseDeformation, 1);
    EXPECT_GT(EauSurface->texture[2], EauSurface->texture[0]);    // blue water
    EXPECT_GT(LaveSurface->texture[0], LaveSurface->texture[2]);  // red lava
    EXPECT_EQ(OndulationCosinus[0], 10);
    // 32 frames of the day: one hour step, and the level of that hour.
    EXPECT_EQ(HeureDuJour, 6);
    EXPECT_EQ(HeureCompteur, 12);
    EXPECT_EQ(IntensiteLumineuse, 6);
    EXPECT_GE(NuagesNombre, 6);
    EXPECT_LE(NuagesNombre, 9);
    EXPECT_EQ(ListeEclairs, nullptr);

    // A bolt still flying when the battle ends is freed with it.
    const int a = Liste__Valeur(ListeObjetsVivants);
    ASSERT_NE(Eclair__Creation(10, 10, 4, a, a), nullptr);
    Region__Quitte();
    EXPECT_EQ(ListeEclairs, nullptr);
    EXPECT_EQ(EauSurface, nullptr);
    EXPECT_EQ(LaveSurface, nullptr);
    ModeSceneCourant = 2;
    ASSERT_TRUE(Demarrer()) << Rapport();
}

}  // namespace
