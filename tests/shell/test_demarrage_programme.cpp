// The program from start-up to shutdown, headless on the sample game: the main menu, a skirmish
// battle and back, quitting; the settings written back whole.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "jeu_temporaire.h"

namespace {

// The loudness of each half second of the capture's left channel (16-bit stereo WAV).
std::vector<double> Niveaux(const std::string& wav) {
    std::vector<double> r;
    const size_t p = wav.find("data");
    if (p == std::string::npos) return r;
    const auto* e = reinterpret_cast<const int16_t*>(wav.data() + p + 8);
    const size_t trames = (wav.size() - p - 8) / 4, demi = 11025;
    for (size_t d = 0; d + demi <= trames; d += demi) {
        double s = 0;
        for (size_t k = d; k < d + demi; ++k) s += double(e[k * 2]) * e[k * 2];
        r.push_back(std::sqrt(s / demi));
    }
    return r;
}

TEST(DemarrageProgramme, BatailleAllerRetourPuisQuitter) {
    JeuTemporaire jeu;
    // The settings are missing: they are made with the defaults.
    std::filesystem::remove(jeu.Racine() / "ini" / "Configuration.ini");
    // Play, then Skirmish on the menu opens the skirmish set-up, whose confirm button starts the
    // battle on its first map and armies; later Escape in the battle asks whether to quit the
    // game, Return answers yes; Escape on the menu opens the quit box, Return quits. Return
    // passes the intro text first.
    ASSERT_EQ(jeu.Lancer("4500 key RETURN\n"
                         "13500 move 400 172\n13600 down left\n13700 up left\n15600 move 400 322\n15700 down left\n"
                         "15800 up left\n16600 capture preparation\n16700 move 298 434\n16800 click left\n"
                         "34000 capture bataille\n34100 key ESCAPE\n35000 key RETURN\n"
                         "37000 capture menu\n38000 key ESCAPE\n40000 key RETURN\n",
                         "s"),
              0)
        << jeu.Lire("s/stderr.txt");
    EXPECT_FALSE(jeu.Existe("Erreur.txt")) << jeu.Lire("Erreur.txt");
    EXPECT_EQ(jeu.Lire("ini/Configuration.ini"), "0\n640\n480\n100\n100\n0\n0\n");
    const std::string dat = jeu.Lire("ini/DOZOZADO.DAT");
    EXPECT_NE(dat.find("[TRUC]"), std::string::npos) << dat;
    EXPECT_NE(dat.find("DOZOZADO LE GRAND="), std::string::npos) << dat;
    EXPECT_NE(dat.find("DOZOZADO LE PETIT=0"), std::string::npos) << dat;
    EXPECT_FALSE(jeu.Existe("ini/Configuration.ini.tmp"));
    // The battle's frame, then the menu's movie again.
    EXPECT_GT(jeu.Lire("s/menu.png").size(), 100u);
    EXPECT_TRUE(jeu.Lire("s/bataille.png") != jeu.Lire("s/menu.png"));
}

TEST(DemarrageProgramme, TrenteSecondesSansRienRejouentLIntro) {
    JeuTemporaire jeu;
    // The intro text passed; the menu from about 12 s; idle until 42 s, then the intro's six
    // seconds and the menu again.
    ASSERT_EQ(jeu.Lancer("4500 key RETURN\n54000 key ESCAPE\n", "r"), 0) << jeu.Lire("r/stderr.txt");
    const auto n = Niveaux(jeu.Lire("r/son.wav"));
    ASSERT_GE(n.size(), 100u);
    auto menu = [&](size_t d) { return n[d] > 4000.0; };
    auto intro = [&](size_t d) { return n[d] > 500.0 && n[d] < 4000.0; };
    for (size_t d : {28, 44, 74}) EXPECT_TRUE(menu(d)) << d * 0.5 << " s: " << n[d];
    for (size_t d : {88, 92}) EXPECT_TRUE(intro(d)) << d * 0.5 << " s: " << n[d];
    EXPECT_TRUE(menu(100)) << n[100];
}

TEST(DemarrageProgramme, QuitterPendantLesFilmsEcritLesReglages) {
    // A close during the logo, the intro picture, the intro text, then, the text passed, the intro
    // movie, the menu movie's first frames (before its first sound went out) and the menu.
    for (const char* instant : {"300 quit\n", "2500 quit\n", "5000 quit\n", "4500 key RETURN\n9000 quit\n",
                                "4500 key RETURN\n12050 quit\n", "4500 key RETURN\n12100 quit\n",
                                "4500 key RETURN\n14000 quit\n"}) {
        JeuTemporaire jeu;
        jeu.Ecrire("ini/Configuration.ini", "1\n800\n600\n40\n60\n1\n1\n");
        ASSERT_EQ(jeu.Lancer(instant, "q"), 0) << instant << jeu.Lire("q/stderr.txt");
        EXPECT_EQ(jeu.Lire("ini/Configuration.ini"), "1\n800\n600\n40\n60\n1\n1\n") << instant;
        EXPECT_TRUE(jeu.Existe("ini/DOZOZADO.DAT")) << instant;
    }
}

// Started from another folder, the program moves to its own before it reads any setting: the
// parental code and setting come through the run unchanged.
TEST(DemarrageProgramme, LanceDAilleursGardeLeControleParental) {
    JeuTemporaire jeu;
    jeu.Ecrire("ini/DOZOZADO.DAT", "[TRUC]\nDOZOZADO LE GRAND=sesame\nDOZOZADO LE PETIT=1\n");
    jeu.Ecrire("ini/Configuration.ini", "1\n800\n600\n40\n60\n1\n1\n");
    ASSERT_EQ(jeu.Lancer("300 quit\n", "q", "ailleurs/loin"), 0) << jeu.Lire("q/stderr.txt");
    const std::string dat = jeu.Lire("ini/DOZOZADO.DAT");
    EXPECT_NE(dat.find("DOZOZADO LE GRAND=sesame"), std::string::npos) << dat;
    EXPECT_NE(dat.find("DOZOZADO LE PETIT=1"), std::string::npos) << dat;
    EXPECT_EQ(jeu.Lire("ini/Configuration.ini"), "1\n800\n600\n40\n60\n1\n1\n");
    EXPECT_FALSE(jeu.Existe("ailleurs/INI"));
}

}  // namespace
