// The script scripts/formation.txt played by the program, headless: on the tutorial's region map
// the regiment's section is dragged into an empty slot of the formation screen, founding a regiment
// named in the box; after Escape the army files hold it and the map's hover names it.
#include <gtest/gtest.h>

#include <string>

#include "jeu_temporaire.h"

namespace {

TEST(FormationProgramme, UneSectionFondeUnRegimentNomme) {
    JeuTemporaire jeu;
    const std::string script = LireFichier(std::string(MORVANE_SOURCE_DIR) + "/scripts/formation.txt");
    ASSERT_FALSE(script.empty());
    ASSERT_EQ(jeu.Lancer(script, "f"), 0) << jeu.Lire("f/stderr.txt");
    EXPECT_FALSE(jeu.Existe("Erreur.txt")) << jeu.Lire("Erreur.txt");
    // The emptied regiment squeezed out of both folders, the new one in its place.
    for (const char* d : {"Armees/joueur0/", "tmp/Joueur0/"}) {
        EXPECT_EQ(jeu.Lire(std::string(d) + "entete_armee.txt"), "nbRegiments 1\n") << d;
        const std::string r = jeu.Lire(std::string(d) + "regiment0.txt");
        EXPECT_EQ(r.rfind("Regiment__mort 0\nRegiment__nom =Garde\n", 0), 0u) << d << r;
    }
    for (const char* nom : {"01-carte", "02-formation", "03-glisse", "04-nom", "05-nomme", "06-deux", "07-carte",
                            "08-survol"})
        EXPECT_GT(jeu.Lire(std::string("f/") + nom + ".png").size(), 100u) << nom;
    // The screen opens over the map, the name is typed, the section lands, the token moves, the
    // hover names it (the tutorial shows no formation on hover).
    EXPECT_NE(jeu.Lire("f/01-carte.png"), jeu.Lire("f/02-formation.png"));
    EXPECT_NE(jeu.Lire("f/04-nom.png"), jeu.Lire("f/05-nomme.png"));
    EXPECT_NE(jeu.Lire("f/02-formation.png"), jeu.Lire("f/06-deux.png"));
    EXPECT_NE(jeu.Lire("f/01-carte.png"), jeu.Lire("f/07-carte.png"));
    EXPECT_NE(jeu.Lire("f/07-carte.png"), jeu.Lire("f/08-survol.png"));
}

}  // namespace
