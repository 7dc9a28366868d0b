#include <filesystem>

#include "arbre_temporaire.h"
#include "editors/impression.h"
#include "foundation/ecran_fixture.h"

namespace {

class Capture : public FenetreJeu {
  protected:
    ArbreTemporaire arbre;
    void SetUp() override {
        FenetreJeu::SetUp();
        std::filesystem::create_directories(arbre.Racine() / "ScreenShots");
    }
};

TEST_F(Capture, PremierNomLibreEtTaille) {
    for (int n : {1, 2, 3, 4, 6}) {
        char nom[64];
        std::snprintf(nom, sizeof nom, "ScreenShots/Morvane_Screen%03d.tga", n);
        arbre.Ecrire(nom, "x");
    }
    ImpressionEcran();
    ASSERT_TRUE(arbre.Existe("ScreenShots/Morvane_Screen005.tga"));
    EXPECT_EQ(std::filesystem::file_size(arbre.Racine() / "ScreenShots/Morvane_Screen005.tga"),
              18u + 640u * 480u * 4u + 3558u);
}

TEST_F(Capture, ConversionEtRangees) {
    std::fill(EcranTampon, EcranTampon + 640 * 480, uint16_t{0});
    EcranTampon[0] = 0x7C00 | 0x0020 | 0x0001;   // top-left: red 31, green 1, blue 1
    EcranTampon[479 * 640] = 0x8000;              // bottom-left: only bit 15, black
    ImpressionEcran();
    std::string f = arbre.Lire("ScreenShots/Morvane_Screen001.tga");
    ASSERT_EQ(f.size(), 18u + 640u * 480u * 4u + 3558u);
    EXPECT_EQ(static_cast<uint8_t>(f[2]), 2);
    EXPECT_EQ(static_cast<uint8_t>(f[12]) | static_cast<uint8_t>(f[13]) << 8, 640);
    EXPECT_EQ(static_cast<uint8_t>(f[16]), 32);
    EXPECT_EQ(static_cast<uint8_t>(f[17]), 8);
    // The bottom row comes first: its first pixel is black, so transparent.
    EXPECT_EQ(f.substr(18, 4), std::string(4, '\0'));
    // The top row comes last: blue, green, red, alpha.
    size_t haut = 18 + 479u * 640u * 4u;
    EXPECT_EQ(static_cast<uint8_t>(f[haut]), 8);
    EXPECT_EQ(static_cast<uint8_t>(f[haut + 1]), 8);
    EXPECT_EQ(static_cast<uint8_t>(f[haut + 2]), 248);
    EXPECT_EQ(static_cast<uint8_t>(f[haut + 3]), 255);
}

TEST_F(Capture, DossierAbsentFinitLeProgrammeAvecZero) {
    std::filesystem::remove_all(arbre.Racine() / "ScreenShots");
    Plateforme_InjecterTouche(13, true);
    try {
        ImpressionEcran();
        FAIL() << "the program goes on";
    } catch (const FinProgramme& fin) {
        EXPECT_EQ(fin.code, 0);
    }
    EXPECT_EQ(arbre.Lire("Erreur.txt"), "ImpressionEcran(): Erreur creation fichier : ..\\ScreenShots\\Morvane_Screen001.tga\n");
}

}  // namespace
