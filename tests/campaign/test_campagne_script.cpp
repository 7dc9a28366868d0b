// The README's whole campaign (scripts/campagne.txt), run headless on the sample game as it is
// built: the tutorial's region map, a path given to the company, the hunter's battle opened by
// contact and won with orders, the region map without the hunter, the farm entered by a path and
// its battle won, the tutorial won, the faction choice, the Empire campaign's first region, the
// in-game menu's quit back to the main menu and quit.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "jeu_temporaire.h"

namespace {

// The first `ligne` of the trace at or after `depuis` (npos stays npos).
size_t Apres(const std::string& trace, const std::string& ligne, size_t depuis) {
    return depuis == std::string::npos ? std::string::npos : trace.find(ligne, depuis);
}

TEST(CampagneScript, UneCampagneEntiere) {
    const std::string script = LireFichier(std::filesystem::path(MORVANE_SOURCE_DIR) / "scripts/campagne.txt");
    ASSERT_FALSE(script.empty());
    JeuTemporaire jeu;
    ASSERT_EQ(jeu.Lancer(script, "k", "bin", 840), 0) << jeu.Lire("k/stderr.txt");
    EXPECT_FALSE(jeu.Existe("Erreur.txt")) << jeu.Lire("Erreur.txt");
    const std::string trace = jeu.Lire("k/stderr.txt");
    EXPECT_EQ(trace.find("defaite"), std::string::npos) << trace;

    // The tutorial's region map; the company marches east on its path (four cells a turn) while
    // the hunter (100) comes for it, and the hunter's battle opens by contact, away from any site.
    const size_t region = trace.find("Campagne__etapeRegion(): campagne 0, etape 0, resultat 0");
    const size_t marche = Apres(trace, "Region__finMouvements(): regiment 0 en 11,33", region);
    const size_t chasseur = Apres(trace, "RegimentNmi_Deplacement(): regiment 100, comportement 1, ", marche);
    const size_t quitte = Apres(trace, "Region__Quitte()", chasseur);
    const size_t bataille = Apres(trace, "Conditions_Verification(): victoire, ", quitte);
    ASSERT_NE(bataille, std::string::npos) << trace;
    EXPECT_NE(trace.find(", 0 ennemis", bataille), std::string::npos) << trace;
    // Back on the region map: the hunter is gone, the other enemies still move; the company is led
    // into the farm on (8, 30) and its battle is won.
    const size_t retour = Apres(trace, "Campagne__etapeRegion(): campagne 0, etape 0, resultat 0", bataille);
    const size_t ferme = Apres(trace, "Region__finMouvements(): regiment 0 en ", retour);
    const size_t lieu = Apres(trace, "Conditions_Verification(): victoire, ", ferme);
    ASSERT_NE(lieu, std::string::npos) << trace;
    EXPECT_EQ(trace.substr(retour, lieu - retour).find("regiment 100,"), std::string::npos) << trace;
    EXPECT_NE(trace.substr(retour, lieu - retour).find("regiment 101,"), std::string::npos) << trace;
    // The tutorial won (the farm visited and the hunter beaten), the faction chosen (the Empire,
    // campaign 3) and its first region begun with its own start army and sites.
    const size_t fin = Apres(trace, "Campagne__etapeRegion(): campagne 0, etape 0, resultat 1", lieu);
    const size_t empire = Apres(trace, "Campagne__etapeRegion(): campagne 3, etape 0, resultat 0", fin);
    ASSERT_NE(empire, std::string::npos) << trace;
    EXPECT_EQ(jeu.Lire("Armees/joueur0/regiment0.txt"), jeu.Lire("Campagnes/Empire/armee/regiment0.txt"));
    EXPECT_EQ(jeu.Lire("tmp/Joueur0/uniques.txt"), jeu.Lire("Texte/Empire/Region5/Uniques.txt"));

    // Every step's frame was written, and the screens differ where they should.
    const std::vector<std::string> images = {"01-menu",    "02-texte",   "03-carte",   "04-chemin",  "05-tour1",
                                             "06-tour2",   "07-bataille", "08-rencontre", "09-melee", "10-bilan",
                                             "11-carte",   "12-chemin",  "13-ferme",   "14-ordre",   "15-bilan",
                                             "16-fin",     "17-camps",   "18-empire",  "19-region",  "20-carte",
                                             "21-menujeu", "22-quitter", "23-menu"};
    for (const std::string& nom : images) EXPECT_GT(jeu.Lire("k/" + nom + ".png").size(), 100u) << nom;
    for (const auto& [a, b] : std::vector<std::pair<std::string, std::string>>{
             {"06-tour2", "07-bataille"}, {"10-bilan", "11-carte"}, {"12-chemin", "13-ferme"}, {"15-bilan", "16-fin"},
             {"16-fin", "17-camps"}, {"20-carte", "21-menujeu"}, {"21-menujeu", "23-menu"}})
        EXPECT_NE(jeu.Lire("k/" + a + ".png"), jeu.Lire("k/" + b + ".png")) << a << " " << b;
}

}  // namespace
