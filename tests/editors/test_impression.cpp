#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

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

// Mended: a screenshot that cannot be written is reported and the game goes on; it used to end
// the program, losing the game for a picture.
TEST_F(Capture, DossierAbsentSignaleEtLeJeuContinue) {
    std::filesystem::remove_all(arbre.Racine() / "ScreenShots");
    Plateforme_InjecterTouche(13, true);
    try {
        ImpressionEcran();
    } catch (const FinProgramme& fin) {
        FAIL() << "the program ended with " << fin.code;
    }
    EXPECT_EQ(arbre.Lire("Erreur.txt"), "ImpressionEcran(): Erreur creation fichier : ..\\ScreenShots\\Morvane_Screen001.tga\n");
    EXPECT_FALSE(arbre.Existe("ScreenShots"));   // the folder is not made by the program
}

// The assembled game tree has its "ScreenShots" folder: I writes a picture there and the run goes on.
TEST(CaptureJeu, ToucheIDansLArbreAssemble) {
    namespace fs = std::filesystem;
    const fs::path dossier = fs::path(MORVANE_JEU_DIR) / "ScreenShots";
    ASSERT_TRUE(fs::is_directory(dossier));
    std::set<fs::path> avant;
    for (const auto& e : fs::directory_iterator(dossier)) avant.insert(e.path());
    ArbreTemporaire arbre;
    arbre.Ecrire("script.txt", "300 move 10 10\n400 key I\n900 move 20 20\n1500 capture apres\n");
    const std::string commande = std::string("cd '") + MORVANE_JEU_DIR + "/bin' && MORVANE_HEADLESS=1 MORVANE_SCRIPT='" +
                                 (arbre.Racine() / "script.txt").string() + "' MORVANE_CAPTURE='" + arbre.Racine().string() +
                                 "' ./morvane >/dev/null 2>&1";
    const int etat = std::system(commande.c_str());
    std::vector<fs::path> nouvelles;
    for (const auto& e : fs::directory_iterator(dossier))
        if (!avant.count(e.path())) nouvelles.push_back(e.path());
    for (const fs::path& p : nouvelles) fs::remove(p);
    EXPECT_TRUE(WIFEXITED(etat) && WEXITSTATUS(etat) == 0) << etat;
    ASSERT_EQ(nouvelles.size(), 1u);
    EXPECT_EQ(nouvelles[0].filename().string().rfind("Morvane_Screen", 0), 0u);
    EXPECT_TRUE(arbre.Existe("apres.png"));   // the run went on past the key
}

}  // namespace
