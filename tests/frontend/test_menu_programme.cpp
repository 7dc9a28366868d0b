// The main menu in the program, headless over its movie: the options changed with the keys are
// written to the settings at exit, and the quit box ends the program.
#include <gtest/gtest.h>

#include <string>

#include "jeu_temporaire.h"

namespace {

TEST(MenuPrincipalProgramme, OptionsGardeesPuisBoiteQuitter) {
    JeuTemporaire jeu;
    jeu.Ecrire("ini/Configuration.ini", "0\n640\n480\n100\n100\n0\n0\n");
    // The intro text passed; the menu is idle from about 12.5 s. Options; music volume down three,
    // resolution up one, Return; then Escape and Return in the quit box.
    const std::string script =
        "4500 key RETURN\n"
        "13000 move 420 222\n13200 capture repos\n"
        "13500 move 400 272\n13600 down left\n13700 up left\n"
        "15500 key DOWN\n15700 key LEFT\n15800 key LEFT\n15900 key LEFT\n16000 key UP\n16100 key RIGHT\n"
        "16300 capture options\n16400 key RETURN\n"
        "18000 key ESCAPE\n19500 move 300 280\n19600 capture quitter\n20000 key RETURN\n"
        "32000 capture trop_tard\n";
    ASSERT_EQ(jeu.Lancer(script, "m"), 0) << jeu.Lire("m/stderr.txt");
    EXPECT_FALSE(jeu.Existe("Erreur.txt")) << jeu.Lire("Erreur.txt");
    EXPECT_EQ(jeu.Lire("ini/Configuration.ini"), "0\n800\n600\n100\n97\n0\n0\n");
    for (const char* capture : {"repos", "options", "quitter"})
        EXPECT_GT(jeu.Lire(std::string("m/") + capture + ".png").size(), 100u) << capture;
    EXPECT_TRUE(jeu.Lire("m/repos.png") != jeu.Lire("m/options.png"));
    // The program ended at the quit box, long before the script.
    EXPECT_FALSE(jeu.Existe("m/trop_tard.png"));
}

}  // namespace
