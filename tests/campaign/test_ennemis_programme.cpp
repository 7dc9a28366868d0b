// The enemy regiments of the tutorial's region map, played by the program headless from
// scripts/ennemis.txt: turn after turn the hunter closes in on the player's company, the guard
// waits and the one by the ford stays.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "jeu_temporaire.h"
#include "trace_region.h"


TEST(EnnemisProgramme, LeChasseurApprocheEtLeGardienAttend) {
    JeuTemporaire jeu;
    const std::string script = LireFichier(std::filesystem::path(MORVANE_SOURCE_DIR) / "scripts/ennemis.txt");
    ASSERT_FALSE(script.empty());
    ASSERT_EQ(jeu.Lancer(script, "e"), 0) << jeu.Lire("e/stderr.txt");
    EXPECT_FALSE(jeu.Existe("Erreur.txt")) << jeu.Lire("Erreur.txt");
    const std::string trace = jeu.Lire("e/stderr.txt");
    // The tutorial's five enemies, from its template, in the working copy.
    const std::string ennemis = jeu.Lire("tmp/Joueur0/Ennemis.txt");
    EXPECT_NE(ennemis.find("Nombre de regiments ennemi : 5"), std::string::npos) << ennemis;

    // The hunter: four plans of two cells, each nearer the company at the start cells (3, 35).
    const std::vector<PlanEnnemi> chasseur = PlansEnnemi(trace, 100);
    ASSERT_EQ(chasseur.size(), 4u) << trace;
    double avant = 1e9;
    for (const PlanEnnemi& p : chasseur) {
        EXPECT_EQ(p.comportement, 1);
        EXPECT_EQ(p.pas, 2);
        const double d = std::hypot(p.x - 3, p.y - 35);
        EXPECT_LT(d, avant) << p.x << " " << p.y;
        avant = d;
    }
    EXPECT_EQ(chasseur[0].x, 17);
    EXPECT_EQ(chasseur[0].y, 31);
    // The guard before the farm: the company out of its sight, it waits where it stands.
    const std::vector<PlanEnnemi> gardien = PlansEnnemi(trace, 101);
    ASSERT_EQ(gardien.size(), 4u);
    for (const PlanEnnemi& p : gardien) {
        EXPECT_EQ(p.comportement, 2);
        EXPECT_EQ(p.x, 12);
        EXPECT_EQ(p.y, 27);
        EXPECT_EQ(p.pas, 0);
    }
    // Every turn shows on the map.
    const char* const captures[] = {"02-carte", "03-tour1", "04-tour2", "05-tour3", "06-tour4"};
    for (const char* c : captures) EXPECT_GT(jeu.Lire(std::string("e/") + c + ".png").size(), 100u) << c;
    for (size_t i = 1; i < std::size(captures); ++i)
        EXPECT_NE(jeu.Lire(std::string("e/") + captures[i - 1] + ".png"), jeu.Lire(std::string("e/") + captures[i] + ".png"));
}
