// The script scripts/region_regiment.txt played by the program, headless: on the tutorial's
// region map a regiment is selected, given a far goal by a right click and marches to it turn by
// turn. The region's enemies are taken away: the hunter near the start cells would otherwise
// catch it on the way and open a battle.
#include <gtest/gtest.h>

#include <string>

#include "jeu_temporaire.h"

namespace {

TEST(RegimentsProgramme, UnRegimentMarcheJusquASonBut) {
    JeuTemporaire jeu;
    jeu.Ecrire("Campagnes/Tutorial/Region9/Ennemis.txt", "REGIMENTSNMI\nNombre de regiments ennemi : 0\n");
    const std::string script = LireFichier(std::string(MORVANE_SOURCE_DIR) + "/scripts/region_regiment.txt");
    ASSERT_FALSE(script.empty());
    ASSERT_EQ(jeu.Lancer(script, "r"), 0) << jeu.Lire("r/stderr.txt");
    EXPECT_FALSE(jeu.Existe("Erreur.txt")) << jeu.Lire("Erreur.txt");
    const std::string trace = jeu.Lire("r/stderr.txt");
    // Four cells a turn from (3, 35), then the last one onto the goal.
    size_t p = 0;
    for (const char* c : {"7,", "11,", "15,", "19,", "20,37"}) {
        p = trace.find(std::string("Region__finMouvements(): regiment 0 en ") + c, p);
        EXPECT_NE(p, std::string::npos) << c << "\n" << trace;
        if (p == std::string::npos) break;
    }
    for (const char* nom : {"01-vue", "02-choisi", "03-chemin", "04-tour1", "08-arrive"})
        EXPECT_GT(jeu.Lire(std::string("r/") + nom + ".png").size(), 100u) << nom;
    // The selection and the arrows show.
    EXPECT_NE(jeu.Lire("r/01-vue.png"), jeu.Lire("r/02-choisi.png"));
    EXPECT_NE(jeu.Lire("r/02-choisi.png"), jeu.Lire("r/03-chemin.png"));
}

}  // namespace
