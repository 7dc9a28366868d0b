#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "arbre_temporaire.h"
#include "foundation/ecran.h"
#include "foundation/ecran_fixture.h"   // FinProgramme
#include "foundation/objetsgfx.h"
#include "foundation/sprites.h"
#include "platform/hasard.h"
#include "platform/plateforme.h"
#include "scene/meteo.h"
#include "scene/particules.h"
#include "scene/particules_effets.h"
#include "shell/routeur.h"
#include "shell/trame.h"
#include "sprite_essai.h"
#include "world/univers.h"

namespace {

using essai::Rvb;

class Meteo : public ::testing::Test {
  protected:
    void SetUp() override {
        Ecran__Geometrie(640, 480);
        HorlogeJeu = 10000;
        Vent__RazChronos();
        VentDirection = 0;
        VentOscillation = 0;
        VentForce = 2;
        HeureDuJour = HeureCompteur = 0;
        DureeHeure = 20;
        IntensiteLumineuse = 0;
        ModeSceneCourant = 2;
        NuagesX.fill(0);
        NuagesY.fill(0);
        NuagesNombre = 9;
    }
    void TearDown() override { ModeSceneCourant = 0; }

    // The first visual draws after seeding with g; the stream is seeded with g again.
    static std::vector<int> Tirages(uint32_t g, int n) {
        Hasard_GraineVisuel(g);
        std::vector<int> t;
        for (int i = 0; i < n; ++i) t.push_back(Hasard_Visuel());
        Hasard_GraineVisuel(g);
        return t;
    }
    // A seed whose first visual draw has the given parity.
    static uint32_t GrainePaire(int parite) {
        for (uint32_t g = 1;; ++g)
            if (Tirages(g, 1)[0] % 2 == parite) return g;
    }
};

// Every 30 s the wind turns by two eighths, -2 or +2 by the draw; the wobble that fires with it
// then goes +1 or -1 by its side; the strength is 1 for the winds blowing downwards.
TEST_F(Meteo, WindTurnsByTheDrawThenWobbles) {
    struct Cas { int direction, cote, tirage, attendue, force; };
    for (const Cas& c : {Cas{0, 0, 0, 7, 2}, Cas{7, 1, 1, 0, 2}, Cas{2, 0, 1, 5, 1}, Cas{5, 1, 0, 2, 2},
                         Cas{6, 1, 1, 7, 2}, Cas{1, 0, 0, 0, 2}}) {
        Vent__RazChronos();
        VentDirection = c.direction;
        VentOscillation = c.cote;
        Hasard_GraineVisuel(GrainePaire(c.tirage));
        HorlogeJeu += 30000;
        Vent__Evolution();
        EXPECT_EQ(VentDirection, c.attendue) << c.direction << " " << c.tirage;
        EXPECT_EQ(VentOscillation, 1 - c.cote);
        EXPECT_EQ(VentForce, c.force);
    }
}

TEST_F(Meteo, WindWobblesEvery334MsAndTurnsOnlyAfter30s) {
    VentDirection = 7;
    HorlogeJeu += 333;
    Vent__Evolution();
    EXPECT_EQ(VentDirection, 7);   // one step of 3 per second is not due yet
    std::vector<int> directions;
    HorlogeJeu -= 333;
    const uint32_t g = 5;
    const int tirage = Tirages(g, 1)[0];
    for (int k = 1; k <= 90; ++k) {
        HorlogeJeu += 334;
        Vent__Evolution();
        directions.push_back(VentDirection);
    }
    for (int k = 0; k < 89; ++k) ASSERT_EQ(directions[k], k % 2 == 0 ? 0 : 7) << k;
    // At 30,060 ms the turn: from 0, then the wobble back by one.
    EXPECT_EQ(directions[89], ((tirage % 2 ? 2 : -2) + 8 + 7) % 8);

    struct Cas { int direction, cote, apres, force; };
    for (const Cas& c : {Cas{2, 0, 3, 1}, Cas{4, 1, 3, 1}, Cas{4, 0, 5, 1}, Cas{6, 1, 5, 1}, Cas{5, 0, 6, 2},
                         Cas{3, 1, 2, 2}, Cas{0, 1, 7, 2}}) {
        VentDirection = c.direction;
        VentOscillation = c.cote;
        HorlogeJeu += 334;
        Vent__Evolution();
        EXPECT_EQ(VentDirection, c.apres) << c.direction;
        EXPECT_EQ(VentForce, c.force) << c.direction;
    }
}

TEST_F(Meteo, HoursStepEveryDureeHeureFramesAroundTheDay) {
    for (int h = 0; h < 24; ++h) TableIntensite[h] = h + 3;
    for (int i = 0; i < 19; ++i) Heure__Evolution();
    EXPECT_EQ(HeureDuJour, 0);
    EXPECT_EQ(IntensiteLumineuse, 0);   // the level moves only at an hour step
    Heure__Evolution();
    EXPECT_EQ(HeureDuJour, 1);
    EXPECT_EQ(HeureCompteur, 0);
    EXPECT_EQ(IntensiteLumineuse, 4);
    for (int i = 0; i < 22 * 20; ++i) Heure__Evolution();
    EXPECT_EQ(HeureDuJour, 23);
    EXPECT_EQ(IntensiteLumineuse, 26);
    for (int i = 0; i < 20; ++i) Heure__Evolution();
    EXPECT_EQ(HeureDuJour, 0);
    EXPECT_EQ(IntensiteLumineuse, 3);

    // Not on the region map.
    ModeSceneCourant = 1;
    for (int i = 0; i < 100; ++i) Heure__Evolution();
    EXPECT_EQ(HeureDuJour, 0);
    EXPECT_EQ(HeureCompteur, 0);

    // A skirmish shortens the hour below a count already past it: the next frame steps.
    ModeSceneCourant = 2;
    HeureCompteur = 15;
    DureeHeure = 9;
    Heure__Evolution();
    EXPECT_EQ(HeureDuJour, 1);
    EXPECT_EQ(HeureCompteur, 0);
    for (int i = 0; i < 9; ++i) Heure__Evolution();
    EXPECT_EQ(HeureDuJour, 2);
    for (int h = 0; h < 24; ++h) TableIntensite[h] = 31;
}

TEST_F(Meteo, CloudsAreScatteredFromWhereTheyWere) {
    NuagesX.fill(1000);
    NuagesY.fill(-50);
    NuagesNombre = 2;
    const std::vector<int> t = Tirages(11, 24);
    Nuages__Initialisation();
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(NuagesX[i], 1000 + t[2 * i] % 840 - 100) << i;
        EXPECT_EQ(NuagesY[i], -50 + t[2 * i + 1] % 680 - 100) << i;
    }
    EXPECT_EQ(NuagesNombre, 9);
}

// The drift of each wind direction: which axis takes the draw of 0..3 and which the draw of 0..1.
TEST_F(Meteo, CloudsDriftWithTheWind) {
    struct Cas { int direction, sx, sy; bool x4; };
    for (const Cas& c : {Cas{0, 1, -1, false}, Cas{1, 1, -1, true}, Cas{2, 1, -1, true}, Cas{3, 1, 1, true},
                         Cas{4, -1, 1, false}, Cas{5, -1, 1, true}, Cas{6, -1, 1, true}, Cas{7, -1, -1, true}}) {
        for (auto [force, s] : {std::pair{2, 1}, std::pair{0, 1}, std::pair{3, 2}, std::pair{7, 0}}) {
            NuagesX.fill(100);
            NuagesY.fill(100);
            VentDirection = c.direction;
            VentForce = force;
            const std::vector<int> t = Tirages(3, 6);
            Nuages__Deplacement();
            for (int i = 0; i < 3; ++i) {
                const int a = t[2 * i], b = t[2 * i + 1];
                const int dx = (c.x4 ? a % 4 : a % 2) + s, dy = (c.x4 ? b % 2 : b % 4) + s;
                EXPECT_EQ(NuagesX[i], 100 + c.sx * dx) << c.direction << " force " << force << " cloud " << i;
                EXPECT_EQ(NuagesY[i], 100 + c.sy * dy) << c.direction << " force " << force << " cloud " << i;
            }
            EXPECT_EQ(NuagesX[3], 100);   // 9 in use: three move
        }
    }
}

TEST_F(Meteo, WrappingCloudsThinOutDownToTheFloorOfTheStrength) {
    struct Cas { int direction, x, y, xApres, yApres; };
    for (const Cas& c : {Cas{2, 1040, 100, -400, -1}, Cas{6, -400, 100, 1040, -1}, Cas{4, 100, 640, -1, -160},
                         Cas{0, 100, -160, -1, 640}}) {
        NuagesX[0] = c.x;
        NuagesY[0] = c.y;
        NuagesNombre = 9;
        VentDirection = c.direction;
        VentForce = 1;
        Nuages__Deplacement();
        if (c.xApres != -1) {
            EXPECT_EQ(NuagesX[0], c.xApres) << c.direction;
        }
        if (c.yApres != -1) {
            EXPECT_EQ(NuagesY[0], c.yApres) << c.direction;
        }
        EXPECT_EQ(NuagesNombre, 8) << c.direction;
    }
    // Strength 1 keeps at least 6 (two shadows drawn), strength 2 keeps its 9.
    for (auto [force, plancher] : {std::pair{1, 6}, std::pair{2, 9}}) {
        NuagesNombre = 9;
        VentForce = force;
        VentDirection = 2;
        for (int k = 0; k < 20; ++k) {
            NuagesX.fill(1040);
            Nuages__Deplacement();
        }
        EXPECT_EQ(NuagesNombre, plancher) << force;
    }
}

TEST_F(Meteo, ScrollingMovesEveryCloudInUse) {
    for (int i = 0; i < 12; ++i) NuagesX[i] = NuagesY[i] = i;
    NuagesNombre = 7;
    Nuages__Decalage(48, -48);
    EXPECT_EQ(NuagesX[6], 6 - 48);
    EXPECT_EQ(NuagesY[6], 6 + 48);
    EXPECT_EQ(NuagesX[7], 7);
}

TEST_F(Meteo, SnowStartsBothEffectsInPlanTwo) {
    Particules_Initialisation();
    EffetParticule neige{}, neige2{};
    for (EffetParticule* e : {&neige, &neige2}) {
        e->nombre = 1;
        e->typePosition = 1;
        e->typeVie = 1;
        e->dureeDeVie = 20;
        e->trajet = 3;
        e->nombreFrames = 1;
    }
    neige.rouge = 28;
    neige2.rouge = 20;
    EffetNeige = nullptr;
    EffetNeige2 = nullptr;
    Neige__Emission();
    EXPECT_EQ(NombreParticules2, 0);
    EffetNeige = &neige;
    EffetNeige2 = &neige2;
    // Both points come from the stream before either emission (which reseeds it by the second).
    const std::vector<int> t = Tirages(21, 4);
    Neige__Emission();
    ASSERT_EQ(NombreParticules2, 2);
    EXPECT_EQ(PlanParticules2[0].rouge, 28);
    EXPECT_EQ(PlanParticules2[1].rouge, 20);
    EXPECT_EQ(PlanParticules2[0].pointEmissionY, t[0] % 480);
    EXPECT_EQ(PlanParticules2[0].pointEmissionX, t[1] % 640);
    EXPECT_EQ(PlanParticules2[1].pointEmissionY, t[2] % 480);
    EXPECT_EQ(PlanParticules2[1].pointEmissionX, t[3] % 640);
    EXPECT_EQ(NombreParticules0 + NombreParticules1, 0);
    EffetNeige = EffetNeige2 = nullptr;
}

// Cloud shadows are sprite 14 shaded over the scene, the first NuagesNombre / 3 of them.
TEST_F(Meteo, ShadowsOfTheCloudsInUse) {
    ArbreTemporaire arbre;
    Plateforme_Initialiser(OptionsPlateforme{});
    Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
    const uint8_t format[7] = {1, 10, 3, 5, 3, 0, 3};
    ASSERT_EQ(SprDll_Init(12, format, nullptr), 0);
    std::string liste = "//liste_des_objets.\n";
    for (int n = 0; n <= 14; ++n) liste += "#define O" + std::to_string(n) + " " + std::to_string(n) + " // nuage\n";
    arbre.Ecrire("ini/mv.ini", liste + "//.\n");
    arbre.Ecrire("sprite/nuage.spr", essai::FichierDirect(10, 10, Rvb(2, 2, 2)));
    ASSERT_EQ(CreationDeLalIsteDesObjetsGfx(), 15);
    std::vector<uint16_t> ecran(640 * 480, Rvb(31, 31, 31));
    EcranTampon = ecran.data();
    Ecran__Geometrie(640, 480);
    for (int i = 0; i < 12; ++i) {
        NuagesX[i] = 20 + 50 * i;
        NuagesY[i] = 30;
    }
    auto ombres = [&]() {
        int n = 0;
        for (int i = 0; i < 12; ++i) n += ecran[35 * 640 + 25 + 50 * i] == Rvb(17, 17, 17);
        return n;
    };
    for (auto [nombre, dessinees] : {std::pair{9, 3}, std::pair{8, 2}, std::pair{12, 4}, std::pair{2, 0}}) {
        ecran.assign(ecran.size(), Rvb(31, 31, 31));
        NuagesNombre = nombre;
        Nuages__Affichage();
        EXPECT_EQ(ombres(), dessinees) << nombre;
        EXPECT_EQ(ecran[35 * 640 + 25 + 50 * dessinees], Rvb(31, 31, 31));
    }
    ObjetsGfx_Liberation();
    SprDll_Free();
    EcranTampon = nullptr;
    Plateforme_Fermer();
}

}  // namespace
