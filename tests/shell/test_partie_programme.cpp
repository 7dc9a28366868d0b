// The README's example of a whole game (scripts/partie.txt), run headless on the sample game:
// the intro skipped, the menu, the skirmish set-up, a battle won with orders, its results, the
// menu again and quit.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "jeu_temporaire.h"

namespace {

TEST(PartieProgramme, LExempleDuReadmeGagneUneEscarmoucheEtQuitte) {
    const std::string script = LireFichier(std::filesystem::path(MORVANE_SOURCE_DIR) / "scripts/partie.txt");
    ASSERT_FALSE(script.empty());
    JeuTemporaire jeu;
    ASSERT_EQ(jeu.Lancer(script, "p"), 0) << jeu.Lire("p/stderr.txt");
    EXPECT_FALSE(jeu.Existe("Erreur.txt")) << jeu.Lire("Erreur.txt");
    // Won by beating every enemy.
    const std::string trace = jeu.Lire("p/stderr.txt");
    EXPECT_NE(trace.find("Conditions_Verification(): victoire, "), std::string::npos) << trace;
    EXPECT_NE(trace.find(", 0 ennemis"), std::string::npos) << trace;
    EXPECT_EQ(trace.find("defaite"), std::string::npos) << trace;
    // Every step's frame was written, and the screens differ where they should.
    for (const char* nom : {"01-menu", "02-jouer", "03-preparation", "04-bataille", "05-ordre", "06-melee",
                            "07-ennemis", "08-assaut", "09-bilan", "10-menu", "11-quitter"})
        EXPECT_GT(jeu.Lire(std::string("p/") + nom + ".png").size(), 100u) << nom;
    EXPECT_NE(jeu.Lire("p/02-jouer.png"), jeu.Lire("p/03-preparation.png"));
    EXPECT_NE(jeu.Lire("p/08-assaut.png"), jeu.Lire("p/09-bilan.png"));
    EXPECT_NE(jeu.Lire("p/09-bilan.png"), jeu.Lire("p/10-menu.png"));
    // The settings written back at the end.
    EXPECT_EQ(jeu.Lire("ini/Configuration.ini"), "0\n640\n480\n100\n100\n0\n0\n");
}

}  // namespace

namespace {

// F1 in a skirmish battle opens the battle's help over the frame; Space turns its pages and
// closes it, and the battle goes on to the usual quit.
TEST(PartieProgramme, F1EnBatailleOuvreLAide) {
    JeuTemporaire jeu;
    std::string script = "11500 move 400 172\n11600 down left\n11700 up left\n13600 move 400 322\n"
                         "13700 down left\n13800 up left\n14700 move 298 434\n14800 click left\n20000 move 300 200\n20500 capture avant\n"
                         "20600 key F1\n21500 capture aide\n";
    for (int t = 22000; t <= 23200; t += 300) script += std::to_string(t) + " key SPACE\n";
    script += "24000 capture apres\n24500 key ESCAPE\n25500 key RETURN\n28000 key ESCAPE\n30000 key RETURN\n";
    ASSERT_EQ(jeu.Lancer(script, "a"), 0) << jeu.Lire("a/stderr.txt");
    EXPECT_FALSE(jeu.Existe("Erreur.txt")) << jeu.Lire("Erreur.txt");
    EXPECT_NE(jeu.Lire("a/avant.png"), jeu.Lire("a/aide.png"));
    EXPECT_NE(jeu.Lire("a/aide.png"), jeu.Lire("a/apres.png"));
}

// Play, then Special missions: the missions' picture, their requester, the sample mission's
// battle; Escape and Return leave it for the main menu, which quits the same way.
TEST(PartieProgramme, UneMissionSpecialeDepuisLeMenu) {
    JeuTemporaire jeu;
    ASSERT_EQ(jeu.Lancer("4500 key RETURN\n7000 key ESCAPE\n8500 move 400 172\n8600 down left\n8700 up left\n"
                         "10500 move 400 372\n10600 down left\n10700 up left\n11500 capture image\n"
                         "13000 capture requete\n14000 key RETURN\n16000 key RETURN\n20000 capture mission\n"
                         "21000 key ESCAPE\n22000 key RETURN\n25000 capture menu\n26000 key ESCAPE\n28000 key RETURN\n",
                         "m"),
              0)
        << jeu.Lire("m/stderr.txt");
    EXPECT_FALSE(jeu.Existe("Erreur.txt")) << jeu.Lire("Erreur.txt");
    const std::string trace = jeu.Lire("m/stderr.txt");
    EXPECT_NE(trace.find("Region__Quitte(): scene 2, "), std::string::npos) << trace;
    for (const char* nom : {"image", "requete", "mission", "menu"})
        EXPECT_GT(jeu.Lire(std::string("m/") + nom + ".png").size(), 100u) << nom;
    EXPECT_NE(jeu.Lire("m/image.png"), jeu.Lire("m/requete.png"));
    EXPECT_NE(jeu.Lire("m/mission.png"), jeu.Lire("m/menu.png"));
}

}  // namespace
