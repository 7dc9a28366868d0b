// The program from start-up to shutdown, headless on the sample game: the main menu, a skirmish
// battle and back, quitting; the settings written back whole.
#include <gtest/gtest.h>

#include <string>

#include "jeu_temporaire.h"

namespace {

TEST(DemarrageProgramme, BatailleAllerRetourPuisQuitter) {
    JeuTemporaire jeu;
    // The settings are missing: they are made with the defaults.
    std::filesystem::remove(jeu.Racine() / "ini" / "Configuration.ini");
    ASSERT_EQ(jeu.Lancer("12000 key RETURN\n32000 capture bataille\n32100 key ESCAPE\n34000 capture menu\n"
                         "35000 key ESCAPE\n",
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
    // The battle ran its logic passes for the 20 s between Return and Escape.
    const std::string trace = jeu.Lire("s/stderr.txt");
    const size_t p = trace.find("TrameJeu() - ");
    ASSERT_NE(p, std::string::npos) << trace;
    EXPECT_GT(std::stoi(trace.substr(p + 13)), 200);
    EXPECT_TRUE(jeu.Lire("s/bataille.png") != jeu.Lire("s/menu.png"));
}

TEST(DemarrageProgramme, QuitterPendantLesFilmsEcritLesReglages) {
    // A close during the logo, the intro picture, the intro movie's first frames and its middle.
    for (const char* instant : {"300", "2500", "4020", "7000"}) {
        JeuTemporaire jeu;
        jeu.Ecrire("ini/Configuration.ini", "1\n800\n600\n40\n60\n1\n1\n");
        ASSERT_EQ(jeu.Lancer(std::string(instant) + " quit\n", "q"), 0) << instant << jeu.Lire("q/stderr.txt");
        EXPECT_EQ(jeu.Lire("ini/Configuration.ini"), "1\n800\n600\n40\n60\n1\n1\n") << instant;
        EXPECT_TRUE(jeu.Existe("ini/DOZOZADO.DAT")) << instant;
    }
}

}  // namespace
