#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "arbre_temporaire.h"
#include "foundation/ecran.h"
#include "foundation/ecran_fixture.h"   // FinProgramme
#include "foundation/objetsgfx.h"
#include "foundation/sprites.h"
#include "platform/affichage.h"
#include "platform/hasard.h"
#include "platform/plateforme.h"
#include "platform/temps.h"
#include "scene/meteo.h"
#include "scene/particules.h"
#include "shell/trame.h"
#include "sprite_essai.h"
#include "world/univers.h"

namespace {

using essai::Rvb;

class Particules : public ::testing::Test {
  protected:
    void SetUp() override {
        Plateforme_Initialiser(OptionsPlateforme{});
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
        Temps_Fixer(5000);
        ReperePixelX = 0;
        ReperePixelY = 0;
        VentForce = 0;
        VentDirection = 0;
        EmissionTest = 0;
        Particules_Initialisation();
    }
    void TearDown() override { Plateforme_Fermer(); }

    // An effect that emits n particles of uniform life 20, speed 1, still and without jitter.
    static EffetParticule Effet(int nombre, int emission = 3) {
        EffetParticule e{};
        e.nombre = static_cast<int16_t>(nombre);
        e.emission = static_cast<int16_t>(emission);
        e.typePosition = 1;
        e.typeVie = 1;
        e.dureeDeVie = 20;
        e.trajet = 3;
        e.nombreFrames = 4;
        e.vitesse = 1.0f;
        return e;
    }
    static Particule& P(int i) { return PlanParticules0[static_cast<size_t>(i)]; }
    // Emits into plan 0 at (x, y) towards (dx, dy).
    static void Emettre(EffetParticule& e, int x = 100, int y = 100, int dx = 0, int dy = 0, int image = -1) {
        Particules_Emission(&e, PlanParticules0.data(), 1000, &NombreParticules0, x, y, 0, dx, dy, image);
    }
    // A particle placed straight into plan 0.
    static Particule& Poser(const Particule& p) {
        P(NombreParticules0) = p;
        ++NombreParticules0;
        ++NombreParticulesTotal;
        return P(NombreParticules0 - 1);
    }
    static Particule Immobile(int vie = 20) {
        Particule p{};
        p.vie = static_cast<int16_t>(vie);
        p.trajet = 3;
        p.nombreFrames = 1;
        p.animation = 4;
        return p;
    }
};

TEST_F(Particules, PlanHoldsAt999) {
    EffetParticule dix = Effet(10), neuf = Effet(9);
    NombreParticules0 = 990;
    Emettre(dix);
    EXPECT_EQ(NombreParticules0, 990);
    EXPECT_EQ(NombreParticulesTotal, 0);
    Emettre(neuf);
    EXPECT_EQ(NombreParticules0, 999);
    EXPECT_EQ(NombreParticulesTotal, 9);

    // A null effect, a null plan or a count outside the plan emit nothing.
    NombreParticules0 = 0;
    Particules_Emission(nullptr, PlanParticules0.data(), 1000, &NombreParticules0, 0, 0, 0, 0, 0, -1);
    Particules_Emission(&neuf, nullptr, 1000, &NombreParticules0, 0, 0, 0, 0, 0, -1);
    NombreParticules0 = -3;
    Emettre(neuf);
    EXPECT_EQ(NombreParticules0, -3);
}

// Particles are only seen: emitting, ageing and jittering them never moves the rules' stream.
TEST_F(Particules, RulesStreamIsUntouched) {
    Hasard_GraineRegles(1234);
    const int attendu = (Hasard_Regles(), Hasard_Regles());
    Hasard_GraineRegles(1234);
    Hasard_Regles();
    EffetParticule e = Effet(20, 0);
    e.typePosition = 0;
    e.typeVie = 0;
    e.typeVitesse = 1;
    e.trajet = 0;
    Emettre(e);
    for (int k = 0; k < 40; ++k) Particules_Gestion(1);
    EXPECT_EQ(Hasard_Regles(), attendu);
}

TEST_F(Particules, ZeroCountBecomesOneAndEmitsNextTime) {
    EffetParticule e = Effet(0);
    Emettre(e);
    EXPECT_EQ(e.nombre, 1);
    EXPECT_EQ(NombreParticules0, 0);
    Emettre(e);
    EXPECT_EQ(NombreParticules0, 1);
}

TEST_F(Particules, DirectionsByEmissionKind) {
    struct Cas {
        const char* nom;
        int emission, nombre, dx, dy;
        std::vector<std::pair<int, int>> attendu;   // velocities at speed 1
    };
    const Cas cas[] = {
        {"ring of 13 wraps", 1, 13, 0, 0,
         {{0, 2}, {1, 2}, {2, 1}, {2, 0}, {2, -1}, {1, -2}, {0, -2}, {-1, -2}, {-2, -1}, {-2, 0}, {-2, 1}, {-1, 2}, {0, 2}}},
        {"variable circle of 4", 2, 4, 0, 0, {{5, 5}, {5, -4}, {-4, -5}, {-5, 4}}},
        {"flux straight up", 4, 5, 0, -1, {{-2, -6}, {-1, -6}, {0, -6}, {1, -6}, {2, -6}}},
        {"flux to the right", 4, 2, 1, 0, {{6, -1}, {6, 0}}},   // a turn of 6.283, not two pi
        {"trail", 3, 2, 3, -4, {{3, -4}, {3, -4}}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        Particules_Initialisation();
        EffetParticule e = Effet(c.nombre, c.emission);
        Emettre(e, 100, 100, c.dx, c.dy);
        ASSERT_EQ(NombreParticules0, static_cast<int>(c.attendu.size()));
        for (size_t i = 0; i < c.attendu.size(); ++i) {
            EXPECT_EQ(P(static_cast<int>(i)).vitesseX, c.attendu[i].first) << i;
            EXPECT_EQ(P(static_cast<int>(i)).vitesseY, c.attendu[i].second) << i;
        }
    }
    // Towards nothing the flux still gives lanes six pixels long, never a NaN.
    Particules_Initialisation();
    EffetParticule flux = Effet(5, 4);
    Emettre(flux, 0, 0, 0, 0);
    for (int i = 0; i < 5; ++i) {
        EXPECT_LE(std::abs(P(i).vitesseX), 6);
        EXPECT_LE(std::abs(P(i).vitesseY), 6);
    }
}

TEST_F(Particules, TestEmissionTakesTheEffectsDirection) {
    EffetParticule e = Effet(1, 3);
    e.directionX = 2;
    e.directionY = -1;
    e.vitesse = 2.5f;
    EmissionTest = 1;
    Emettre(e, 0, 0, 9, 9);
    EXPECT_EQ(P(0).vitesseX, 5);
    EXPECT_EQ(P(0).vitesseY, -2);   // toward zero
}

TEST_F(Particules, RandomDrawsAreTheSameWithinOneSecond) {
    EffetParticule e = Effet(3, 0);
    e.typePosition = 0;
    e.typeVie = 0;
    e.typeVitesse = 1;
    Temps_Fixer(7000);
    Emettre(e, 50, 60, 2, -2);
    Temps_Fixer(7999);
    Emettre(e, 50, 60, 2, -2);
    ASSERT_EQ(NombreParticules0, 6);
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        const Particule& p = P(i);
        EXPECT_EQ(p.ecartX, P(0).ecartX);
        EXPECT_EQ(p.ecartY, P(0).ecartY);
        EXPECT_EQ(p.vie, P(0).vie);
        EXPECT_GE(p.ecartX, -10);
        EXPECT_LE(p.ecartX, 10);
        EXPECT_EQ(p.positionX, 50 + p.ecartX);
        EXPECT_EQ(p.positionY, 60 + p.ecartY);
        EXPECT_GE(p.directionX, 1);
        EXPECT_LE(p.directionX, 3);
        EXPECT_GE(p.vie, 25);
        EXPECT_LE(p.vie, 28);
        EXPECT_GE(p.vitesse, 1.0f);
        EXPECT_LE(p.vitesse, 3.0f);
    }
    // The draws follow the whole second: over a hundred other seconds they cannot all repeat.
    const int ecartX = P(0).ecartX, ecartY = P(0).ecartY;
    bool autre = false;
    for (uint32_t s = 8; s < 108 && !autre; ++s) {
        Particules_Initialisation();
        Temps_Fixer(s * 1000);
        Emettre(e, 50, 60, 2, -2);
        autre = P(0).ecartX != ecartX || P(0).ecartY != ecartY;
    }
    EXPECT_TRUE(autre);
}

TEST_F(Particules, EmissionFillsTheRecordFromTheEffect) {
    EffetParticule e = Effet(2, 3);
    e.positionRelativeX = 4;
    e.positionRelativeY = -3;
    e.rouge = 10;
    e.vert = 25;
    e.bleu = 5;
    e.dureeDeVie = 15;
    e.premiereFrame = 2;
    e.nombreFrames = 8;
    e.animation = 3;
    e.naissanceDifferee = 6;
    e.repere = 1;
    e.sprite = 77;
    e.modeCopie = 2;
    e.vent = 1;
    e.pasAngle = 30;
    ReperePixelX = 480;
    ReperePixelY = 240;
    Emettre(e, 100, 50, 1, 2);
    const Particule& p = P(0);
    EXPECT_EQ(p.pointEmissionX, 100);
    EXPECT_EQ(p.origineX, 580);
    EXPECT_EQ(p.origineY, 290);
    EXPECT_EQ(p.positionX, 584);
    EXPECT_EQ(p.positionY, 287);
    EXPECT_EQ(p.frameCourante, 2);
    EXPECT_EQ(p.nombreFrames, 8);
    EXPECT_FLOAT_EQ(p.vitesseAnimation, 8.0f / 40.0f);   // frames over life + brightest colour
    EXPECT_EQ(p.naissanceDifferee, 6);
    EXPECT_EQ(p.repere, 1);
    EXPECT_EQ(p.sprite, 77);
    EXPECT_EQ(p.vent, 1);
    EXPECT_EQ(p.pasAngle, 30);
    EXPECT_EQ(p.angle, 0);

    // A caller's frame: that frame alone.
    Emettre(e, 0, 0, 0, 0, 7);
    EXPECT_EQ(P(2).frameCourante, 7);
    EXPECT_EQ(P(2).nombreFrames, 1);

    // No life and no colour: the spread animation stands still instead of dividing by zero.
    EffetParticule noir = Effet(1);
    noir.dureeDeVie = 0;
    noir.animation = 3;
    Emettre(noir);
    EXPECT_EQ(P(4).vitesseAnimation, 0.0f);
    Particules_Gestion(1);
    EXPECT_EQ(P(4).frameCourante, 0);
}

TEST_F(Particules, LifeRunsDownFadesAndTheParticleLeaves) {
    Poser(Immobile(3));
    std::vector<int> vies;
    for (int k = 0; k < 13; ++k) {
        Particules_Gestion(1);
        ASSERT_EQ(NombreParticules0, 1) << k;
        vies.push_back(P(0).vie);
    }
    EXPECT_EQ(vies, (std::vector<int>{2, 1, 0, -1, -4, -7, -10, -13, -16, -19, -22, -25, -28}));
    Particules_Gestion(1);
    EXPECT_EQ(P(0).vie, -31);
    Particules_Gestion(1);
    EXPECT_EQ(NombreParticules0, 0);
    EXPECT_EQ(NombreParticulesTotal, 0);
}

TEST_F(Particules, RemovedSlotTakesTheLastParticleWhichIsUpdatedInThePass) {
    Poser(Immobile(-31));
    Poser(Immobile(10));
    Particule dernier = Immobile(5);
    dernier.vitesseX = 3;
    Poser(dernier);
    Particules_Gestion(1);
    ASSERT_EQ(NombreParticules0, 2);
    EXPECT_EQ(P(0).vie, 4);
    EXPECT_EQ(P(0).positionX, 3);
    EXPECT_EQ(P(1).vie, 9);
}

TEST_F(Particules, FramesByAnimationKind) {
    struct Cas {
        const char* nom;
        int animation, frames;
        float vitesse;
        std::vector<int> attendu;
    };
    const Cas cas[] = {
        {"loop", 0, 3, 0, {1, 2, 0, 1}},
        {"ping-pong", 1, 4, 0, {1, 2, 3, 3, 2, 1, 0, 0, 1}},
        {"fixed", 2, 4, 0, {0, 0}},
        {"spread", 3, 3, 0.5f, {0, 1, 1, 2, 2, 0}},
        {"trace", 4, 4, 0, {0, 0}},
        {"stay", 5, 3, 0, {1, 2, 2, 2}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        Particules_Initialisation();
        Particule p = Immobile(100);
        p.animation = static_cast<int16_t>(c.animation);
        p.nombreFrames = static_cast<int16_t>(c.frames);
        p.vitesseAnimation = c.vitesse;
        Poser(p);
        std::vector<int> vu;
        for (size_t k = 0; k < c.attendu.size(); ++k) {
            Particules_Gestion(1);
            vu.push_back(P(0).frameCourante);
        }
        EXPECT_EQ(vu, c.attendu);
    }
}

TEST_F(Particules, PathsByKind) {
    // Velocity (2, 1), start offset (10, 0), 90 degrees a frame, one update; degrees from pi = 3.1415.
    struct Cas {
        const char* nom;
        int trajet;
        int x, y;
    };
    const Cas cas[] = {
        {"uniform", 3, 12, 1},
        {"spiral", 1, 10 + 1, -1},   // (2, 1) turned by 90: (1.0000..., -1.9999...)
        {"circle", 2, 2 + 0, 1 - 9},
        {"unknown", 9, 0, 0},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        Particules_Initialisation();
        Particule p = Immobile();
        p.trajet = static_cast<int16_t>(c.trajet);
        p.vitesseX = 2;
        p.vitesseY = 1;
        p.ecartX = 10;
        p.pasAngle = 90;
        Poser(p);
        Particules_Gestion(1);
        EXPECT_EQ(P(0).positionX, c.x);
        EXPECT_EQ(P(0).positionY, c.y);
    }
}

TEST_F(Particules, InwardSpiralRunsBackToTheEmissionPoint) {
    EffetParticule e = Effet(1, 1);   // ring: first direction (0, 2)
    e.trajet = 4;
    e.dureeDeVie = 5;
    e.pasAngle = 0;
    Emettre(e, 30, 40);
    EXPECT_EQ(P(0).deplacementY, 40);   // run ahead life + 15 = 20 steps
    EXPECT_EQ(P(0).positionY, 80);
    Particules_Gestion(1);
    EXPECT_EQ(P(0).positionY, 78);

    // An angle that falls below 0 continues from 360, read as 0 degrees.
    Particules_Initialisation();
    Particule p = Immobile();
    p.trajet = 4;
    p.angle = 10;
    p.pasAngle = 20;
    p.deplacementX = 5;
    Poser(p);
    Particules_Gestion(1);
    EXPECT_EQ(P(0).angle, 360);
    EXPECT_EQ(P(0).positionX, 5);
    EXPECT_EQ(P(0).positionY, 0);
}

TEST_F(Particules, ScreenAnchoredParticleFollowsTheView) {
    EffetParticule e = Effet(1);
    Emettre(e, 100, 100);
    e.repere = 1;
    Emettre(e, 100, 100);
    ReperePixelX = 48;
    Particules_Gestion(1);
    EXPECT_EQ(P(0).positionX - ReperePixelX, 52);    // stays on the map
    EXPECT_EQ(P(1).positionX - ReperePixelX, 100);   // stays on the screen
}

TEST_F(Particules, WindPushesFromTheNextUpdate) {
    VentDirection = 2;
    VentForce = 2;
    Particule p = Immobile();
    p.vent = 1;
    Poser(p);
    Poser(Immobile());
    std::vector<int> x;
    for (int k = 0; k < 3; ++k) {
        Particules_Gestion(1);
        x.push_back(P(0).positionX);
        EXPECT_EQ(P(1).positionX, 0);
    }
    EXPECT_EQ(x, (std::vector<int>{0, 2, 4}));
    // Each of the eight directions.
    const int attendu[8][2] = {{0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}};
    for (int d = 0; d < 8; ++d) {
        Particules_Initialisation();
        VentDirection = d;
        VentForce = 3;
        Poser(p);
        Particules_Gestion(1);
        EXPECT_EQ(P(0).deplacementX, 3 * attendu[d][0]) << d;
        EXPECT_EQ(P(0).deplacementY, 3 * attendu[d][1]) << d;
    }
}

// Drawing into a small back buffer: a 2 x 2 sprite of one colour, graphic object 1.
class DessinParticules : public Particules {
  protected:
    ArbreTemporaire arbre;
    std::vector<uint16_t> ecran;
    static constexpr uint16_t FOND = Rvb(10, 10, 10);
    static constexpr uint16_t COULEUR = Rvb(20, 4, 31);

    void SetUp() override {
        Particules::SetUp();
        const uint8_t format[7] = {1, 10, 3, 5, 3, 0, 3};
        ASSERT_EQ(SprDll_Init(12, format, nullptr), 0);
        ecran.assign(96 * 48, FOND);
        EcranTampon = ecran.data();
        Ecran__Geometrie(96, 48);
        arbre.Ecrire("sprite/point.spr", essai::FichierDirect(2, 2, COULEUR));
        // Objects 1, 659 and 1300 on (those of the sample effects) draw the point.
        std::string liste = "//liste_des_objets.\n";
        for (int n = 0; n <= 1301; ++n)
            liste += "#define GFX_" + std::to_string(n) + " " + std::to_string(n) + " // " +
                     (n == 1 || n == 659 || n >= 1300 ? "point" : "-") + "\n";
        arbre.Ecrire("ini/mv.ini", liste + "//.\n");
        ASSERT_EQ(CreationDeLalIsteDesObjetsGfx(), 1302);
    }
    void TearDown() override {
        ObjetsGfx_Liberation();
        SprDll_Free();
        EcranTampon = nullptr;
        Particules::TearDown();
    }
    uint16_t At(int x, int y) const { return ecran[static_cast<size_t>(y) * 96 + x]; }
    static Particule Point(int mode, int vie, int x = 10, int y = 10) {
        Particule p = Immobile(vie);
        p.sprite = 1;
        p.modeCopie = static_cast<int16_t>(mode);
        p.positionX = p.origineX = static_cast<int16_t>(x);
        p.positionY = p.origineY = static_cast<int16_t>(y);
        p.rouge = 31;
        p.vert = 16;
        p.bleu = 0;
        return p;
    }
    uint16_t Dessine(const Particule& p) {
        std::fill(ecran.begin(), ecran.end(), FOND);
        Particules_Affichage(&p, 1);
        return At(p.positionX - ReperePixelX, p.positionY - ReperePixelY);
    }
};

TEST_F(DessinParticules, CopyModesWhileAliveAndFading) {
    struct Cas {
        const char* nom;
        int mode, vie;
        uint16_t attendu;
    };
    const Cas cas[] = {
        {"translucent", 0, 5, Rvb(15, 7, 20)},
        {"lit", 1, 5, Rvb(10 + 20, 10 + 2, 10)},
        {"shaded", 2, 5, Rvb(0, 10 * 15 / 31, 10)},
        {"plain", 3, 5, COULEUR},
        {"unknown mode", 4, 5, FOND},
        {"translucent fading at 0", 0, 0, Rvb(30, 12, 10)},
        {"lit fading", 1, -10, Rvb(10 + 20 * 21 / 31, 10 + 4 * 6 / 31, 10)},
        {"plain faded out", 3, -31, FOND},
        {"shaded fading", 2, -10, Rvb(10 * 10 / 31, 10 * 25 / 31, 10)},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        EXPECT_EQ(Dessine(Point(c.mode, c.vie)), c.attendu);
    }
}

TEST_F(DessinParticules, DrawnAtTheScreenPointInSlotOrder) {
    ReperePixelX = 48;
    ReperePixelY = 24;
    Particule a = Point(3, 5, 48 + 30, 24 + 20);
    Particule b = Point(1, 5, 48 + 31, 24 + 21);
    const Particule plan[2] = {a, b};
    Particules_Affichage(plan, 2);
    EXPECT_EQ(At(30, 20), COULEUR);
    EXPECT_EQ(At(31, 21), Rvb(31, 4 + 2, 31));   // the lit one over the plain one
    EXPECT_EQ(At(29, 20), FOND);

    // Far off the view: a drawing point past 16 bits must not wrap onto the screen.
    std::fill(ecran.begin(), ecran.end(), FOND);
    Particule loin = Point(3, 5);
    loin.positionX = 48 + 65536 + 30;
    loin.positionY = 24 + 20;
    Particules_Affichage(&loin, 1);
    EXPECT_EQ(At(30, 20), FOND);
}

TEST_F(DessinParticules, DelayedBirthShowsAfterItsDelay) {
    Particule p = Point(3, 50);
    p.naissanceDifferee = 5;
    Poser(p);
    for (int k = 0; k < 5; ++k) {
        std::fill(ecran.begin(), ecran.end(), FOND);
        Particules_Affichage(PlanParticules0.data(), NombreParticules0);
        EXPECT_EQ(At(10, 10), FOND) << k;
        Particules_Gestion(1);
    }
    Particules_Affichage(PlanParticules0.data(), NombreParticules0);
    EXPECT_EQ(At(10, 10), COULEUR);

    // Several frames at once never carry the delay below zero, where it would never show.
    Particules_Initialisation();
    p.naissanceDifferee = 3;
    Poser(p);
    Particules_Gestion(2);
    Particules_Gestion(2);
    EXPECT_EQ(P(0).naissanceDifferee, 0);
}

// The sample effects emitted into the three plans, aged and drawn without fault.
TEST_F(DessinParticules, SampleEffectsLiveAndDie) {
    std::filesystem::copy(std::filesystem::path(MORVANE_SOURCE_DIR) / "data/particules", arbre.Racine() / "particules",
                          std::filesystem::copy_options::recursive);
    Effets_Chargement();
    ASSERT_NE(ListeEffets, nullptr);
    int effets = 0;
    for (NoeudEffet* n = ListeEffets; n; n = n->precedent, ++effets) {
        Particules_Emission(n->effet, PlanParticules0.data(), 1000, &NombreParticules0, 40, 20, 0, 1, -1, -1);
        Particules_Emission(n->effet, PlanParticules1.data(), 1000, &NombreParticules1, 40, 20, 1, 0, 1, -1);
        Particules_Emission(n->effet, PlanParticules2.data(), 1000, &NombreParticules2, 40, 20, 2, -1, 0, 3);
    }
    EXPECT_EQ(effets, 38);
    EXPECT_GT(NombreParticules0, 38);
    EXPECT_EQ(NombreParticulesTotal, NombreParticules0 + NombreParticules1 + NombreParticules2);
    bool dessine = false;
    for (int k = 0; k < 200 && NombreParticulesTotal > 0; ++k) {
        std::fill(ecran.begin(), ecran.end(), FOND);
        Particules_Affichage(PlanParticules0.data(), NombreParticules0);
        Particules_Affichage(PlanParticules1.data(), NombreParticules1);
        Particules_Affichage(PlanParticules2.data(), NombreParticules2);
        for (uint16_t v : ecran) dessine |= v != FOND;
        Particules_Gestion(1);
        EXPECT_EQ(NombreParticulesTotal, NombreParticules0 + NombreParticules1 + NombreParticules2);
    }
    EXPECT_TRUE(dessine);
    EXPECT_EQ(NombreParticulesTotal, 0);
    Effets_Liberation();
}

}  // namespace

// Every sample effect with the sample particle sprites, one cell each of a 640 x 480 frame; the
// frame is written as a PNG into the folder MORVANE_CAPTURE names, when it is set.
class VitrineParticules : public Particules {
  protected:
    ArbreTemporaire arbre;
    std::vector<uint16_t> ecran;
    static constexpr uint16_t FOND = Rvb(5, 8, 4);

    void SetUp() override {
        Particules::SetUp();
        const uint8_t format[7] = {1, 10, 3, 5, 3, 0, 3};
        ASSERT_EQ(SprDll_Init(12, format, nullptr), 0);
        ecran.assign(640 * 480, FOND);
        EcranTampon = ecran.data();
        Ecran__Geometrie(640, 480);
        static const char* const Fichiers[6] = {"particule_fumee", "particule_etincelle", "particule_feu",
                                                "particule_sang", "particule_poussiere", "particule_lueur"};
        std::string liste = "//liste_des_objets.\n";
        for (int n = 0; n <= 1305; ++n)
            liste += "#define GFX_" + std::to_string(n) + " " + std::to_string(n) + " // " +
                     (n >= 1300 ? Fichiers[n - 1300] : n == 659 ? "projectile_fleche" : "-") + "\n";
        arbre.Ecrire("ini/mv.ini", liste + "//.\n");
        std::filesystem::create_directories(arbre.Racine() / "sprite");
        std::filesystem::copy_file(std::filesystem::path(MORVANE_JEU_DIR) / "sprite/projectile_fleche.spr",
                                   arbre.Racine() / "sprite/projectile_fleche.spr");
        for (const char* f : Fichiers)
            std::filesystem::copy_file(std::filesystem::path(MORVANE_JEU_DIR) / "sprite" / (std::string(f) + ".spr"),
                                       arbre.Racine() / "sprite" / (std::string(f) + ".spr"));
        ASSERT_EQ(CreationDeLalIsteDesObjetsGfx(), 1306);
        std::filesystem::copy(std::filesystem::path(MORVANE_SOURCE_DIR) / "data/particules",
                              arbre.Racine() / "particules", std::filesystem::copy_options::recursive);
    }
    void TearDown() override {
        Effets_Liberation();
        ObjetsGfx_Liberation();
        SprDll_Free();
        EcranTampon = nullptr;
        Particules::TearDown();
    }
};

TEST_F(VitrineParticules, EachSampleEffectShowsInItsCell) {
    Effets_Chargement();
    std::vector<NoeudEffet*> effets;
    for (NoeudEffet* n = ListeEffets; n; n = n->precedent) effets.insert(effets.begin(), n);
    ASSERT_EQ(effets.size(), 38u);
    Particule* plans[3] = {PlanParticules0.data(), PlanParticules1.data(), PlanParticules2.data()};
    int16_t* nombres[3] = {&NombreParticules0, &NombreParticules1, &NombreParticules2};
    auto centre = [](size_t i) { return std::pair<int, int>(40 + static_cast<int>(i % 8) * 78, 60 + static_cast<int>(i / 8) * 96); };
    for (int k = 0; k < 8; ++k) {
        if (k % 3 == 0) {
            for (size_t i = 0; i < effets.size(); ++i) {
                auto [x, y] = centre(i);
                Temps_Avancer(1000);
                Particules_Emission(effets[i]->effet, plans[i % 3], 1000, nombres[i % 3], x, y, 0, 0, -1, -1);
            }
        }
        Particules_Gestion(1);
    }
    Particules_Affichage(PlanParticules0.data(), NombreParticules0);
    Particules_Affichage(PlanParticules1.data(), NombreParticules1);
    Particules_Affichage(PlanParticules2.data(), NombreParticules2);
    for (size_t i = 0; i < effets.size(); ++i) {
        auto [cx, cy] = centre(i);
        int changes = 0;
        for (int y = std::max(0, cy - 45); y < std::min(480, cy + 45); ++y)
            for (int x = std::max(0, cx - 38); x < std::min(640, cx + 38); ++x)
                changes += ecran[static_cast<size_t>(y) * 640 + x] != FOND;
        EXPECT_GT(changes, 0) << effets[i]->nomEffet;
    }
    if (const char* dossier = std::getenv("MORVANE_CAPTURE")) {
        EXPECT_TRUE(Image_EcrirePng555(std::string(dossier) + "/particules.png", ecran.data(), 640, 480));
    }
}

// Effects of any values a file can hold (extremes included) emit, age and draw without fault
// under the sanitizers, and the plans stay within their bounds.
TEST_F(DessinParticules, AnyEffectValuesAreSafe) {
    uint32_t graine = 12345;
    auto tirage = [&graine]() {
        graine = graine * 1103515245u + 12345u;
        return graine >> 8;
    };
    const int16_t extremes[] = {INT16_MIN, -32767, -361, -360, -31, -1, 0, 1, 2, 3, 4, 5, 31, 359, 360, 999, INT16_MAX};
    auto valeur16 = [&]() -> int16_t {
        return tirage() % 2 ? extremes[tirage() % std::size(extremes)] : static_cast<int16_t>(tirage() % 13 - 3);
    };
    for (int essai = 0; essai < 1000; ++essai) {
        EffetParticule e{};
        e.positionRelativeX = tirage() % 3 ? static_cast<int32_t>(tirage() % 41) - 20 : INT32_MAX;
        e.positionRelativeY = tirage() % 3 ? static_cast<int32_t>(tirage() % 41) - 20 : INT32_MIN;
        for (int16_t* v : {&e.directionX, &e.directionY, &e.vent, &e.rouge, &e.vert, &e.bleu, &e.plan, &e.dureeDeVie,
                           &e.emission, &e.typePosition, &e.trajet, &e.typeVie, &e.champReserve, &e.modeCopie,
                           &e.premiereFrame, &e.nombreFrames, &e.typeVitesse, &e.repere, &e.naissanceDifferee,
                           &e.animation, &e.pasAngle})
            *v = valeur16();
        e.nombre = static_cast<int16_t>(tirage() % 3 ? tirage() % 20 : valeur16());
        e.sprite = static_cast<int16_t>(tirage() % 3 ? 1 : 1300);
        const float vitesses[] = {0.0f, 1.0f, -2.5f, 1e30f, -1e30f, 3.4e38f};
        e.vitesse = vitesses[tirage() % std::size(vitesses)];
        VentForce = static_cast<int32_t>(tirage() % 5);
        VentDirection = static_cast<int32_t>(tirage() % 10) - 1;
        ReperePixelX = static_cast<int32_t>(tirage() % 3000);
        Particules_Emission(&e, PlanParticules1.data(), 1000, &NombreParticules1, static_cast<int>(tirage() % 200) - 50,
                            static_cast<int>(tirage() % 200) - 50, 0, valeur16(), valeur16(),
                            tirage() % 2 ? -1 : valeur16());
        ASSERT_GE(NombreParticules1, 0);
        ASSERT_LT(NombreParticules1, 1000);
        Particules_Gestion(static_cast<int32_t>(tirage() % 3) + 1);
        Particules_Affichage(PlanParticules1.data(), NombreParticules1);
    }
    EXPECT_EQ(NombreParticulesTotal, NombreParticules1);
}
