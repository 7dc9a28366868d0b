#include "plans_fixture.h"
#include "scene/elements.h"
#include "scene/particules.h"
#include "scene/particules_effets.h"
#include "shell/cycles.h"
#include "world/effondrement.h"

namespace {

constexpr uint16_t E = Couleur(20, 10, 4);

// A gate (master 411) with a 5 x 6 footprint at (10, 10): its passage is columns 10..13 of rows
// 10 and 11. Its one element is a fixed sprite (nature 3) of master 80: a 4 x 4 square of E drawn
// at the building's origin + (6, 6).
class Elements : public PlansEcran {
  protected:
    static constexpr int PORTE = 411;
    DescriptionBatiment* d = nullptr;
    Objet* porte = nullptr;

    void SetUp() override {
        PlansEcran::SetUp();
        Graphique(9, {{4, 4, E}});
        ObjetGfx_ANIM__DPL[80] = 9;
        d = Batiment__Description(PORTE, 1);
        d->largeur = 5;
        d->hauteur = 6;
        d->nbElements = 1;
        Element(0, 3, 80, 6, 6);
        porte = &Batiment(2, PORTE, 10, 10);
    }
    void Element(int i, int nature, int maitre, int x, int y, int direction = 0, int image = 0) {
        d->elementNature[i] = static_cast<int16_t>(nature);
        d->elementSprite[i] = static_cast<int16_t>(maitre);
        d->elementX[i] = static_cast<int16_t>(x);
        d->elementY[i] = static_cast<int16_t>(y);
        d->elementDirection[i] = static_cast<int16_t>(direction);
        d->elementPhase[i] = static_cast<int16_t>(image);
    }
    void Dessiner() {
        ObjetCourant = porte;
        DescriptionBatimentCourante = d;
        Batiment__AffichageElements(100, 100);
    }
};

// A unit in the passage makes the gate fall one level per drawn frame from 31 to 15 and stay
// there, its fixed sprite see-through meanwhile; once it leaves, the level climbs back one step
// per frame and the sprite is plain again.
TEST_F(Elements, AGateFadesWhileSomeoneStandsInItsPassage) {
    Poser(3, 0, 20, 12, 11);
    for (int i = 1; i <= 20; ++i) {
        Dessiner();
        EXPECT_EQ(porte->aleaAffichage, std::max(31 - i, 15));
    }
    EXPECT_NE(Pixel(107, 107), E);
    EXPECT_NE(Pixel(107, 107), FOND);
    GrilleUnites[11 * 128 + 12] = 2;
    for (int i = 1; i <= 16; ++i) {
        Dessiner();
        EXPECT_EQ(porte->aleaAffichage, 15 + i);
    }
    Dessiner();
    EXPECT_EQ(porte->aleaAffichage, 31);
    EXPECT_EQ(Pixel(107, 107), E);
}

// What does not make a gate fade: a unit in the footprint's last column or last four rows, a
// building's cell, the gate's own cells; and no other building ever fades.
TEST_F(Elements, OnlyAUnitInThePassageOfAGateMakesItFade) {
    struct Cas {
        const char* nom;
        int famille, x, y, type;
    };
    for (const Cas& c : {Cas{"last column", 0, 14, 10, PORTE}, Cas{"last rows", 0, 11, 12, PORTE},
                         Cas{"a building", 1, 11, 10, PORTE}, Cas{"not a gate", 0, 11, 10, 412}}) {
        SCOPED_TRACE(c.nom);
        *Batiment__Description(c.type, 1) = *d;
        porte = &Batiment(2, c.type, 10, 10);
        Poser(3, c.famille, 20, c.x, c.y);
        Dessiner();
        EXPECT_EQ(porte->aleaAffichage, 31);
        EXPECT_EQ(Pixel(107, 107), E);
    }
}

// Slots are read up to nbElements only; a free slot among them draws nothing.
TEST_F(Elements, ElementSlotsStopAtTheirCount) {
    d->nbElements = 2;
    Element(0, 0, 80, 0, 0);
    Element(1, 3, 80, 20, 0);
    Element(2, 3, 80, 40, 0);
    Dessiner();
    EXPECT_EQ(Pixel(101, 101), FOND);
    EXPECT_EQ(Pixel(121, 101), E);
    EXPECT_EQ(Pixel(141, 101), FOND);
}

// Flags: nature 1 takes its sprite by direction (ARE, ARA, DPL; another direction draws nothing
// but still turns), nature 2 takes row `direction` of 12 frames, nature 7 one row. Each advances
// one frame on even game frames, back to 0 after 11.
TEST_F(Elements, FlagsWaveOnEvenFrames) {
    Graphique(10, {{2, 2, Couleur(1, 0, 0)}});
    Graphique(11, {{2, 2, Couleur(2, 0, 0)}});
    ObjetGfx_ANIM__ARE[81] = 10;
    ObjetGfx_ANIM__ARA[81] = 11;
    Graphique(12, {{2, 2, Couleur(3, 0, 0)}, {2, 2, Couleur(4, 0, 0)}});
    ObjetGfx_ANIM__DPL[81] = 12;
    struct Cas {
        int nature, direction, image;
        uint16_t attendu;
    };
    for (const Cas& c : {Cas{1, 0, 0, Couleur(1, 0, 0)}, Cas{1, 1, 0, Couleur(2, 0, 0)}, Cas{1, 2, 1, Couleur(4, 0, 0)},
                         Cas{1, 3, 0, FOND}, Cas{2, 0, 1, Couleur(4, 0, 0)}, Cas{7, 0, 0, Couleur(3, 0, 0)}}) {
        SCOPED_TRACE(testing::Message() << c.nature << " " << c.direction);
        std::fill(ecran.begin(), ecran.end(), FOND);
        d->nbElements = 1;
        Element(0, c.nature, 81, 0, 0, c.direction, c.image);
        CompteurCycle20 = 4;
        Dessiner();
        EXPECT_EQ(Pixel(100, 100), c.attendu);
        EXPECT_EQ(d->elementPhase[0], c.image + 1);
        CompteurCycle20 = 5;
        Dessiner();
        EXPECT_EQ(d->elementPhase[0], c.image + 1);
    }
    d->elementPhase[0] = 11;
    CompteurCycle20 = 0;
    Dessiner();
    EXPECT_EQ(d->elementPhase[0], 0);
}

// Smoke (8) and flame (9) emit into particle plan 1 on their own beat, never while paused.
TEST_F(Elements, SmokeAndFlameEmitOnTheirBeatUnlessPaused) {
    EffetParticule fumee{}, flamme{};
    fumee.nombre = 2;
    fumee.dureeDeVie = 10;
    flamme.nombre = 3;
    flamme.dureeDeVie = 10;
    EffetFumeeMaison = &fumee;
    EffetFlammeVasque = &flamme;
    d->nbElements = 2;
    Element(0, 8, 80, 0, 0);
    Element(1, 9, 80, 0, 0);
    struct Cas {
        int pause, fumee, flamme, attendu;
    };
    for (const Cas& c : {Cas{0, 0, 0, 0}, Cas{0, 1, 0, 2}, Cas{0, 0, 1, 3}, Cas{0, 1, 1, 5}, Cas{1, 1, 1, 0}}) {
        NombreParticules1 = 0;
        JeuEnPause = c.pause;
        TopFumee = c.fumee;
        TopFlamme = c.flamme;
        Dessiner();
        EXPECT_EQ(NombreParticules1, c.attendu) << c.pause << c.fumee << c.flamme;
    }
    EffetFumeeMaison = EffetFlammeVasque = nullptr;
}

// After a building's destruction the fixed sprites are drawn a second time, lit by the flash.
TEST_F(Elements, TheDestructionFlashLightsFixedSprites) {
    FlashDestruction = 28;
    Dessiner();
    const uint16_t eclaire = Pixel(107, 107);
    EXPECT_NE(eclaire, E);
    EXPECT_GE(eclaire >> 10 & 31, E >> 10 & 31);
    EXPECT_GE(eclaire & 31, E & 31);
    FlashDestruction = 0;
}

}  // namespace
