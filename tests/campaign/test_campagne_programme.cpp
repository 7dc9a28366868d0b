// The campaigns run by the program, headless, on the sample game: the tutorial's region map with
// its opening text, its token and sites, and an end of turn; then, on regions whose victory files
// ask for nothing, the tutorial and a faction campaign won region after region.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "jeu_temporaire.h"

namespace {

// Main menu, Play, New campaign, Tutorial.
const char* const VERS_LE_DIDACTICIEL =
    "4500 key RETURN\n7000 key ESCAPE\n8500 move 400 172\n8600 down left\n8700 up left\n"
    "10500 move 400 272\n10600 down left\n10700 up left\n13000 move 400 222\n13100 down left\n13200 up left\n";

TEST(CampagneProgramme, LeDidacticielOuvreSaCarteDeRegion) {
    JeuTemporaire jeu;
    const std::string script = std::string(VERS_LE_DIDACTICIEL) +
                               "20000 capture texte\n21000 key RETURN\n22000 move 100 400\n22500 capture carte\n"
                               "23000 move 585 440\n23100 down left\n23200 up left\n24500 capture tour\n"
                               "25000 move 585 440\n25100 down left\n25200 up left\n26500 capture tour2\n";
    ASSERT_EQ(jeu.Lancer(script, "d"), 0) << jeu.Lire("d/stderr.txt");
    EXPECT_FALSE(jeu.Existe("Erreur.txt")) << jeu.Lire("Erreur.txt");
    const std::string trace = jeu.Lire("d/stderr.txt");
    EXPECT_NE(trace.find("Campagne__etapeRegion(): campagne 0, etape 0, resultat 0"), std::string::npos) << trace;
    // The working folder holds the region's sites and the army.
    EXPECT_NE(jeu.Lire("tmp/Joueur0/uniques.txt").find("Nom : Ferme"), std::string::npos);
    EXPECT_TRUE(jeu.Existe("tmp/Joueur0/regiment0.txt"));
    for (const char* nom : {"texte", "carte", "tour", "tour2"}) EXPECT_GT(jeu.Lire(std::string("d/") + nom + ".png").size(), 100u) << nom;
    // The opening text covers the map; each end of turn changes the gold shown.
    EXPECT_NE(jeu.Lire("d/texte.png"), jeu.Lire("d/carte.png"));
    EXPECT_NE(jeu.Lire("d/carte.png"), jeu.Lire("d/tour.png"));
    EXPECT_NE(jeu.Lire("d/tour.png"), jeu.Lire("d/tour2.png"));
}

TEST(CampagneProgramme, DesRegionsSansExigenceSeGagnentJusquALaFin) {
    JeuTemporaire jeu;
    for (const auto& e : std::filesystem::recursive_directory_iterator(jeu.Racine() / "Campagnes"))
        if (e.path().filename() == "region.Vreg")
            std::filesystem::remove(e.path()),
                jeu.Ecrire(std::filesystem::relative(e.path(), jeu.Racine()).string(),
                           "Nb lieux uniques a visiter : 0\nNb Nmi a tuer : 0\nVisu :0\n");
    // The tutorial is won at once and the faction choice follows: Lumiere (regions 7, 6, 2, 3),
    // each won in turn through the campaign map; the last one leads back to the main menu.
    const std::string script = std::string(VERS_LE_DIDACTICIEL) +
                               "17000 capture camps\n18000 move 160 120\n18100 down left\n18200 up left\n"
                               "21000 capture empire\n22000 down left\n22100 up left\n"
                               "26000 down left\n26100 up left\n30000 down left\n30100 up left\n"
                               "34000 capture menu\n35000 key ESCAPE\n36000 key RETURN\n";
    ASSERT_EQ(jeu.Lancer(script, "c"), 0) << jeu.Lire("c/stderr.txt");
    EXPECT_FALSE(jeu.Existe("Erreur.txt")) << jeu.Lire("Erreur.txt");
    const std::string trace = jeu.Lire("c/stderr.txt");
    for (const char* l : {"campagne 0, etape 0, resultat 1", "campagne 4, etape 0, resultat 3", "campagne 4, etape 1, resultat 3",
                          "campagne 4, etape 2, resultat 3", "campagne 4, etape 3, resultat 2"})
        EXPECT_NE(trace.find(std::string("Campagne__etapeRegion(): ") + l), std::string::npos) << l << "\n" << trace;
    for (const char* nom : {"camps", "empire", "menu"}) EXPECT_GT(jeu.Lire(std::string("c/") + nom + ".png").size(), 100u) << nom;
    EXPECT_NE(jeu.Lire("c/camps.png"), jeu.Lire("c/empire.png"));
}

}  // namespace
