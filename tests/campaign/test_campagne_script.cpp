// The README's example of a campaign (scripts/campagne.txt), run headless on the sample game: the
// tutorial's region map, a battle opened at a unique site by the end of turn, won with orders,
// back on the region map with the site visited, the in-game quit and the main menu.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "jeu_temporaire.h"

namespace {

TEST(CampagneScript, UneBatailleDeLieuGagneeEtRetourALaCarte) {
    const std::string script = LireFichier(std::filesystem::path(MORVANE_SOURCE_DIR) / "scripts/campagne.txt");
    ASSERT_FALSE(script.empty());
    JeuTemporaire jeu;
    // Until the regiments are given paths, the farm stands on the regiment's start cell: the end
    // of turn leads the regiment into it.
    std::string lieux = jeu.Lire("Texte/Tutorial/Region9/Uniques.txt");
    const std::string ferme = "x : 8\ny : 30\n";
    const size_t p = lieux.find(ferme);
    ASSERT_NE(p, std::string::npos);
    lieux.replace(p, ferme.size(), "x : 3\ny : 35\n");
    jeu.Ecrire("Texte/Tutorial/Region9/Uniques.txt", lieux);

    ASSERT_EQ(jeu.Lancer(script, "k"), 0) << jeu.Lire("k/stderr.txt");
    EXPECT_FALSE(jeu.Existe("Erreur.txt")) << jeu.Lire("Erreur.txt");
    const std::string trace = jeu.Lire("k/stderr.txt");
    // The region map, the farm's battle won, the region map again.
    const size_t region = trace.find("Campagne__etapeRegion(): campagne 0, etape 0, resultat 0");
    const size_t victoire = trace.find("Conditions_Verification(): victoire, ", region);
    ASSERT_NE(region, std::string::npos) << trace;
    ASSERT_NE(victoire, std::string::npos) << trace;
    EXPECT_NE(trace.find(", 0 ennemis", victoire), std::string::npos) << trace;
    EXPECT_NE(trace.find("Campagne__etapeRegion(): campagne 0, etape 0, resultat 0", victoire), std::string::npos) << trace;
    EXPECT_EQ(trace.find("defaite"), std::string::npos) << trace;
    // The battle was the farm's, on its own level: the sites were written with the farm in visit.
    const std::string uniques = jeu.Lire("tmp/Joueur0/uniques.txt");
    const size_t f = uniques.find("Nom : Ferme");
    ASSERT_NE(f, std::string::npos);
    EXPECT_EQ(uniques.compare(uniques.find("Visite : ", f), 11, "Visite : 2\n"), 0) << uniques;
    // Every step's frame was written (the region map stayed until the in-game quit), and the
    // screens differ where they should.
    for (const char* nom : {"01-menu", "02-texte", "03-carte", "04-bataille", "05-ordre", "06-melee", "07-bilan", "08-carte",
                            "09-quitter", "10-menu"})
        EXPECT_GT(jeu.Lire(std::string("k/") + nom + ".png").size(), 100u) << nom;
    EXPECT_NE(jeu.Lire("k/03-carte.png"), jeu.Lire("k/04-bataille.png"));
    EXPECT_NE(jeu.Lire("k/07-bilan.png"), jeu.Lire("k/08-carte.png"));
    EXPECT_NE(jeu.Lire("k/08-carte.png"), jeu.Lire("k/10-menu.png"));
}

}  // namespace
