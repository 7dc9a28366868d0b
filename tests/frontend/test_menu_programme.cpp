// The main menu in the program, headless over its movie: the options changed with the keys are
// written to the settings at exit, and the quit box ends the program.
#include <gtest/gtest.h>

#include <string>

#include "jeu_temporaire.h"

namespace {

TEST(MenuPrincipalProgramme, OptionsGardeesPuisBoiteQuitter) {
    JeuTemporaire jeu;
    jeu.Ecrire("ini/Configuration.ini", "0\n640\n480\n100\n100\n0\n0\n");
    // The menu is idle from about 10.5 s. Options; music volume down three, resolution up one,
    // Return; then Escape and Return in the quit box.
    const std::string script =
        "11000 move 420 222\n11200 capture repos\n"
        "11500 move 400 272\n11600 down left\n11700 up left\n"
        "13500 key DOWN\n13700 key LEFT\n13800 key LEFT\n13900 key LEFT\n14000 key UP\n14100 key RIGHT\n"
        "14300 capture options\n14400 key RETURN\n"
        "16000 key ESCAPE\n17500 move 300 280\n17600 capture quitter\n18000 key RETURN\n"
        "30000 capture trop_tard\n";
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
