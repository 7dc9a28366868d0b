#include <gtest/gtest.h>

#include "ecran_fixture.h"
#include "foundation/demo_images.h"
#include "platform/affichage.h"
#include "test_image_outils.h"

namespace {

class DemoImages : public FenetreJeu {
protected:
    ArbreTemporaire arbre;
    ~DemoImages() override { Demo_ImagesLiberer(); }
    // The presented frame, captured as the game would.
    std::vector<uint16_t> Capture() {
        Ecran_Affichage();
        EXPECT_TRUE(Affichage_CapturerPng((arbre.Racine() / "demo.png").string()));
        int largeur = 0, hauteur = 0;
        std::vector<uint16_t> image = Affichage_DerniereImage(&largeur, &hauteur);
        EXPECT_EQ(largeur, 640);
        EXPECT_EQ(hauteur, 480);
        return image;
    }
};

// The intro picture: blue left half, red right half (as 5-5-5: 0x001F and 0x7C00).
uint32_t Intro(int x, int) { return x < 320 ? 0x0000FFu : 0xFF0000u; }

}  // namespace

TEST_F(DemoImages, IntroPuisUneRangeeDeTuilesEclairees) {
    const std::vector<uint8_t> tga = FichierTga({.largeur = 640, .hauteur = 480}, RangeesTga24(640, 480, Intro));
    arbre.Ecrire("images/Intro.tga", std::string(tga.begin(), tga.end()));
    Demo_ImagesEtTuiles();
    const std::vector<uint16_t> image = Capture();
    ASSERT_EQ(image.size(), 640u * 480u);
    const auto at = [&image](int x, int y) { return image[static_cast<size_t>(y) * 640 + x]; };
    EXPECT_EQ(at(10, 10), 0x001F);
    EXPECT_EQ(at(630, 10), 0x7C00);
    EXPECT_EQ(at(630, 470), 0x7C00);
    // The row of tiles across the lower part: neither picture colour, and differently lit.
    const int y = 480 - 48 - 24 + 20;
    int eclairees = 0;
    uint16_t precedente = 0;
    for (int i = 0; i < 12; ++i) {
        const int x = 10 + i * 52 + 24;
        const uint16_t p = at(x, y);
        if (p != 0x001F && p != 0x7C00 && p != precedente) ++eclairees;
        precedente = p;
    }
    EXPECT_GE(eclairees, 10);
    EXPECT_TRUE(arbre.Existe("demo.png"));
}

TEST_F(DemoImages, SansIntroLesTuilesRestent) {
    // No picture: reported, and the tiles are drawn all the same.
    Demo_ImagesEtTuiles();
    const std::vector<uint16_t> image = Capture();
    EXPECT_EQ(image[10], 0);
    EXPECT_NE(image[static_cast<size_t>(480 - 48) * 640 + 10 + 24], 0);
}
