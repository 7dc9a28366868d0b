#include <gtest/gtest.h>

#include "foundation/demo_images.h"
#include "foundation/ecran.h"
#include "foundation/fenetre.h"
#include "foundation/polices.h"
#include "platform/affichage.h"
#include "platform/plateforme.h"
#include "test_image_outils.h"

namespace {

class Demo : public ArbreTemporaire {
protected:
    void SetUp() override {
        ArbreTemporaire::SetUp();
        std::string erreur;
        ASSERT_TRUE(Plateforme_Initialiser(OptionsPlateforme{}, &erreur)) << erreur;
        ASSERT_TRUE(Fenetre_Creation(nullptr));
        ASSERT_TRUE(Polices_Creation(nullptr));
        Message m;
        while (Message_Attente(&m) && Message_Lire(&m)) {
            Message_Traduire(&m);
            Message_Distribuer(&m);
        }
    }
    // The presented frame, captured as the game would.
    std::vector<uint16_t> Image() {
        Ecran_Affichage();
        EXPECT_TRUE(Affichage_CapturerPng((racine / "demo.png").string()));
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

TEST_F(Demo, IntroPuisUneRangeeDeTuilesEclairees) {
    Ecrire("images/Intro.tga", FichierTga({.largeur = 640, .hauteur = 480}, RangeesTga24(640, 480, Intro)));
    Demo_ImagesEtTuiles();
    const std::vector<uint16_t> image = Image();
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
    EXPECT_TRUE(std::filesystem::exists(racine / "demo.png"));
}

TEST_F(Demo, SansIntroLesTuilesRestent) {
    // No picture: reported, and the tiles are drawn all the same.
    Demo_ImagesEtTuiles();
    const std::vector<uint16_t> image = Image();
    EXPECT_EQ(image[10], 0);
    EXPECT_NE(image[static_cast<size_t>(480 - 48) * 640 + 10 + 24], 0);
}
