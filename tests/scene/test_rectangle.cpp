// The outline of the selection box: added colour, pulse, corners in any order, the view's limits.
#include <gtest/gtest.h>

#include <vector>

#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "scene/rectangle.h"
#include "shell/cycles.h"
#include "shell/saisie.h"
#include "shell/trame.h"
#include "world/univers.h"

namespace {

class Rectangle : public ::testing::Test {
  protected:
    std::vector<uint16_t> ecran = std::vector<uint16_t>(640 * 480, 0);
    void SetUp() override {
        EcranTampon = ecran.data();
        Ecran__Geometrie(640, 480);
        ClipSauveX = ClipSauveY = 8;
        RepereX = 10;
        RepereY = 20;
        CompteurCycle20 = 0;
        Pulsation = 1;
        DemandeSelection = 1;
    }
    void TearDown() override {
        EcranTampon = nullptr;
        DemandeSelection = 0;
    }
    uint16_t Pixel(int x, int y) const { return ecran[static_cast<size_t>(y) * 640 + static_cast<size_t>(x)]; }
    // A drag from map cell (cx, cy) to the mouse at (sx, sy) on a black screen.
    std::vector<uint16_t> Cadre(int cx, int cy, int sx, int sy) {
        std::fill(ecran.begin(), ecran.end(), uint16_t{0});
        CadreDebutX = cx;
        CadreDebutY = cy;
        SourisX = sx;
        SourisY = sy;
        CadreSelection__Affichage();
        return ecran;
    }
    static uint16_t Gris(int p) { return static_cast<uint16_t>(p << 10 | p << 5 | p); }
};

TEST_F(Rectangle, OutlineFromThePressCornerToTheMouse) {
    // Cell (12, 22) is at (48, 48) on the screen.
    Cadre(12, 22, 148, 98);
    const uint16_t g = Gris(5);
    // The corner where two edges meet gets the colour twice.
    EXPECT_EQ(Pixel(48, 48), Gris(10));
    for (int x = 49; x < 148; ++x) {
        EXPECT_EQ(Pixel(x, 48), g) << x;
        EXPECT_EQ(Pixel(x, 98), g) << x;
    }
    for (int y = 49; y < 98; ++y) {
        EXPECT_EQ(Pixel(48, y), g) << y;
        EXPECT_EQ(Pixel(148, y), g) << y;
    }
    EXPECT_EQ(Pixel(100, 70), 0);
    EXPECT_EQ(Pixel(149, 98), 0);
    int traces = 0;
    for (uint16_t p : ecran) traces += p != 0;
    EXPECT_EQ(traces, 2 * 100 + 2 * 50 - 1) << "the corners of B overlap once";
}

TEST_F(Rectangle, DraggedLeftOrUpDrawsTheSameOutline) {
    // From (48, 48) down to (144, 96), and from (144, 96) back up to (48, 48).
    const std::vector<uint16_t> descendu = Cadre(12, 22, 144, 96);
    EXPECT_EQ(Cadre(16, 24, 48, 48), descendu);
    EXPECT_EQ(Pixel(100, 96), Gris(5));
    EXPECT_EQ(Pixel(144, 60), Gris(5));
}

TEST_F(Rectangle, PulseRunsUpAndDown) {
    struct Cas {
        int compteur, pulsation, gris;
    };
    for (const Cas& c : {Cas{0, 1, 5}, Cas{19, 1, 24}, Cas{0, -1, 25}, Cas{19, -1, 6}}) {
        CompteurCycle20 = c.compteur;
        Pulsation = c.pulsation;
        Cadre(12, 22, 148, 98);
        EXPECT_EQ(Pixel(60, 48), Gris(c.gris & 31)) << c.compteur << " " << c.pulsation;
    }
}

// The colour is added: white stays white, a dark red gains grey and each channel stops at 31.
TEST_F(Rectangle, ColourIsAddedAndSaturates) {
    CompteurCycle20 = 15;   // p = 20
    std::fill(ecran.begin(), ecran.end(), uint16_t{0x7FFF});
    CadreDebutX = 12;
    CadreDebutY = 22;
    SourisX = 148;
    SourisY = 98;
    CadreSelection__Affichage();
    EXPECT_EQ(Pixel(60, 48), 0x7FFF);
    std::fill(ecran.begin(), ecran.end(), static_cast<uint16_t>(20 << 10 | 3 << 5 | 0));
    CadreSelection__Affichage();
    EXPECT_EQ(Pixel(60, 48), static_cast<uint16_t>(31 << 10 | 23 << 5 | 20));
}

// Nothing on the top and left border of 8 pixels, nor past the view's right and bottom edges;
// a press off the view to the top-left never reaches outside the buffer.
TEST_F(Rectangle, LinesStayStrictlyInsideTheView) {
    Cadre(RepereX - 50, RepereY - 50, 639, 479);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            if (x <= 8 || y <= 8 || x >= 624) {
                ASSERT_EQ(Pixel(x, y), 0) << x << "," << y;
            }
    EXPECT_EQ(Pixel(100, 479), Gris(5)) << "the last row of the view";
    EXPECT_EQ(Pixel(623, 100), 0);
    // With the mouse inside, the right and bottom edges show.
    Cadre(RepereX, RepereY, 600, 400);
    EXPECT_EQ(Pixel(600, 100), Gris(5));
    EXPECT_EQ(Pixel(100, 400), Gris(5));
    EXPECT_EQ(Pixel(100, 0), 0);
    // The skirmish set-up's saved clip moves the border.
    ClipSauveX = 100;
    Cadre(RepereX, RepereY, 600, 400);
    EXPECT_EQ(Pixel(100, 400), 0);
    EXPECT_EQ(Pixel(101, 400), Gris(5));
}

TEST_F(Rectangle, ZeroWidthOrHeightDrawsNothingOnThatAxis) {
    Cadre(12, 22, 48, 98);   // no width: both upright edges on one column
    int horizontales = 0;
    for (int x = 0; x < 640; ++x) horizontales += Pixel(x, 48) != 0 && x != 48;
    EXPECT_EQ(horizontales, 0);
    EXPECT_EQ(Pixel(48, 60), Gris(10));
    Cadre(12, 22, 148, 48);   // no height
    EXPECT_EQ(Pixel(48, 60), 0);
    EXPECT_EQ(Pixel(48, 49), 0);
    EXPECT_EQ(Pixel(60, 48), Gris(10));
    DemandeSelection = 0;
    Cadre(12, 22, 148, 98);
    for (uint16_t p : ecran) ASSERT_EQ(p, 0);
}

}  // namespace
