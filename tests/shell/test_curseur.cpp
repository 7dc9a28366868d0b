// The pointer's shade lies just below and right of the pointer, not far off as a second pointer.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "../frontend/menu_fixture.h"
#include "shell/curseur.h"

namespace {

using Curseur = MenuEcran;
constexpr int16_t POINTEUR = 19;   // the pointer's graphic object

struct Boite {
    int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
    bool vide() const { return x1 < 0; }
};

// The box of the pixels that differ from the grey background.
Boite Dessine(uint16_t fond) {
    Boite b;
    for (int y = 0; y < HauteurEcran; ++y)
        for (int x = 0; x < LargeurEcran; ++x)
            if (EcranTampon[y * LargeurEcran + x] != fond) {
                b.x0 = std::min(b.x0, x);
                b.y0 = std::min(b.y0, y);
                b.x1 = std::max(b.x1, x);
                b.y1 = std::max(b.y1, y);
            }
    return b;
}

TEST_F(Curseur, OmbreAQuelquesPixelsDuPointeur) {
    const uint16_t gris = (16 << 10) | (16 << 5) | 16;
    SourisX = 300;
    SourisY = 200;
    std::fill(EcranTampon, EcranTampon + LargeurEcran * HauteurEcran, gris);
    Sprite__Affiche(POINTEUR, SourisX, SourisY, 0);
    const Boite pointeur = Dessine(gris);
    ASSERT_FALSE(pointeur.vide());

    std::fill(EcranTampon, EcranTampon + LargeurEcran * HauteurEcran, gris);
    Menu__Pointeur();
    const Boite avecOmbre = Dessine(gris);
    EXPECT_EQ(avecOmbre.x0, pointeur.x0);
    EXPECT_EQ(avecOmbre.y0, pointeur.y0);
    EXPECT_GT(avecOmbre.x1, pointeur.x1);   // the shade shows beside the pointer
    EXPECT_LE(avecOmbre.x1, pointeur.x1 + OMBRE_CURSEUR_X);
    EXPECT_LE(avecOmbre.y1, pointeur.y1 + OMBRE_CURSEUR_Y);
    EXPECT_LE(OMBRE_CURSEUR_X, 6);
    EXPECT_LE(OMBRE_CURSEUR_Y, 6);
}

}  // namespace
