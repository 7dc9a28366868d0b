// The bestiary and the credits in the program, headless: from the main menu the bestiary pages
// through every entry of each camp with the keys, Escape goes back to the menu, and the credits
// scroll to their end before the menu comes back.
#include <gtest/gtest.h>

#include <string>

#include "jeu_temporaire.h"

namespace {

TEST(BestiaireProgramme, CampsPagedThenCreditsToTheirEnd) {
    JeuTemporaire jeu;
    // The intro movie skipped; Bestiary.
    std::string script = "4500 key RETURN\n7000 key ESCAPE\n8500 move 400 322\n8600 down left\n8700 up left\n9500 move 500 300\n";
    // Each tab: its first entry, then Right three times (the camps have at most four entries),
    // then Down to the next tab.
    int t = 10000;
    for (int onglet = 0; onglet < 10; ++onglet) {
        for (int k = 0; k < 4; ++k) {
            script += std::to_string(t) + " capture onglet" + std::to_string(onglet) + "-" + std::to_string(k) + "\n";
            if (k < 3) script += std::to_string(t + 100) + " key RIGHT\n";
            t += 200;
        }
        script += std::to_string(t) + " key DOWN\n";
        t += 200;
    }
    // Escape back to the menu, then Credits.
    script += std::to_string(t) + " key ESCAPE\n";
    t += 2500;
    script += std::to_string(t) + " capture menu\n" + std::to_string(t + 100) + " move 400 372\n" +
              std::to_string(t + 200) + " down left\n" + std::to_string(t + 300) + " up left\n";
    t += 3000;
    script += std::to_string(t) + " capture credits-debut\n";
    script += std::to_string(t + 8000) + " capture credits-milieu\n";
    // The sample credits scroll for about 16 s, then wait 1 s: over by then.
    t += 25000;
    script += std::to_string(t) + " capture apres\n" + std::to_string(t + 200) + " key ESCAPE\n" +
              std::to_string(t + 1700) + " move 300 280\n" + std::to_string(t + 2200) + " key RETURN\n" +
              std::to_string(t + 5000) + " capture trop_tard\n";
    ASSERT_EQ(jeu.Lancer(script, "b"), 0) << jeu.Lire("b/stderr.txt");
    EXPECT_FALSE(jeu.Existe("Erreur.txt")) << jeu.Lire("Erreur.txt");
    // Each camp's page differs from the next camp's, and paging moves within a camp.
    for (int onglet = 0; onglet < 9; ++onglet) {
        const std::string a = jeu.Lire("b/onglet" + std::to_string(onglet) + "-0.png");
        ASSERT_GT(a.size(), 1000u) << onglet;
        EXPECT_NE(a, jeu.Lire("b/onglet" + std::to_string(onglet + 1) + "-0.png")) << onglet;
    }
    EXPECT_NE(jeu.Lire("b/onglet0-0.png"), jeu.Lire("b/onglet0-1.png"));
    EXPECT_NE(jeu.Lire("b/onglet0-1.png"), jeu.Lire("b/onglet0-3.png"));
    // The menu after the bestiary, the credits moving, the menu again after them.
    const std::string menu = jeu.Lire("b/menu.png"), debut = jeu.Lire("b/credits-debut.png"),
                      milieu = jeu.Lire("b/credits-milieu.png"), apres = jeu.Lire("b/apres.png");
    for (const std::string* c : {&menu, &debut, &milieu, &apres}) EXPECT_GT(c->size(), 1000u);
    EXPECT_NE(debut, milieu);
    EXPECT_NE(milieu, apres);
    EXPECT_NE(debut, apres);
    // The quit box ended the program.
    EXPECT_FALSE(jeu.Existe("b/trop_tard.png"));
}

}  // namespace
