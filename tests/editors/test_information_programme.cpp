// The debug pages played by their example scripts on a copy of the sample game tree: paged
// through in battle (the particle, building and event editors opened and left), and on the
// region map, where the terrain editor paints, is refused once, saves, and its file reads back
// through the region reader.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "campaign/region.h"
#include "jeu_temporaire.h"

namespace {

class InformationProgramme : public ::testing::Test {
  protected:
    JeuTemporaire jeu;
    void TearDown() override { unsetenv("MORVANE_DEBUG"); }
    int Jouer(const char* script, bool option) {
        if (option) setenv("MORVANE_DEBUG", "1", 1);
        else unsetenv("MORVANE_DEBUG");
        return jeu.Lancer(LireFichier(std::filesystem::path(MORVANE_SOURCE_DIR) / "scripts" / script), "sortie");
    }
    bool LireRegion(const std::string& relatif, CarteRegion* carte) {
        FILE* f = std::fopen((jeu.Racine() / relatif).c_str(), "r");
        if (f == nullptr) return false;
        std::string erreur;
        const bool ok = Region__LireFichier(f, carte, &erreur);
        std::fclose(f);
        EXPECT_TRUE(ok) << relatif << ": " << erreur;
        return ok;
    }
};

// Every page visited draws over the battle: each capture differs from the battle without pages,
// and the editors' pages come back to the menu.
TEST_F(InformationProgramme, PagesInBattleOpenTheEditorsAndReturn) {
    ASSERT_EQ(Jouer("debug_bataille.txt", true), 0) << jeu.Lire("sortie/stderr.txt");
    const char* const captures[] = {"01-menu",     "02-moteur",    "03-occupation-objet", "04-groupe",
                                    "05-particules", "06-batiment", "07-jour-nuit",        "08-listes",
                                    "09-evenements", "10-retour",   "11-conditions",       "12-ferme"};
    for (const char* c : captures) ASSERT_TRUE(jeu.Existe(std::string("sortie/") + c + ".png")) << c;
    const auto image = [this](const char* c) { return jeu.Lire(std::string("sortie/") + c + ".png"); };
    for (const char* c : {"01-menu", "02-moteur", "03-occupation-objet", "04-groupe", "05-particules", "07-jour-nuit",
                          "08-listes", "09-evenements", "11-conditions"})
        EXPECT_NE(image(c), image("12-ferme")) << c;
    EXPECT_NE(image("09-evenements"), image("10-retour"));
}

// The terrain editor's painted row is saved (after a refused first question) as the campaign's
// region with that row made impassable; the start cells are those of the campaign's file.
TEST_F(InformationProgramme, RegionTerrainEditorPaintsSavesAndReadsBack) {
    ASSERT_EQ(Jouer("debug_region.txt", true), 0) << jeu.Lire("sortie/stderr.txt");
    for (const char* c : {"03-peint", "05-refuse", "06-sauve", "07-region2", "08-region1", "09-ferme"})
        EXPECT_TRUE(jeu.Existe(std::string("sortie/") + c + ".png")) << c;
    CarteRegion origine{}, sauvee{};
    ASSERT_TRUE(LireRegion("Campagnes/Tutorial/Region9/Region.txt", &origine));
    ASSERT_TRUE(LireRegion("region/region1.txt", &sauvee)) << jeu.Lire("sortie/stderr.txt");
    EXPECT_EQ(sauvee.departs, origine.departs);
    // The unique sites' cells are closed on the map while it is played: they are left aside.
    const std::string texte = jeu.Lire("region/region1.txt");
    std::set<std::pair<int, int>> sites;
    for (size_t p = texte.find("\t\tx : "); p != std::string::npos; p = texte.find("\t\tx : ", p + 1)) {
        int x = -1, y = -1;
        ASSERT_EQ(std::sscanf(texte.c_str() + p, "\t\tx : %d\n\t\ty : %d", &x, &y), 2);
        sites.insert({x, y});
    }
    int changees = 0, rangee = -1;
    for (int x = 0; x < REGION_LARGEUR; ++x)
        for (int y = 0; y < REGION_HAUTEUR; ++y) {
            const size_t i = static_cast<size_t>(x * REGION_HAUTEUR + y);
            if (sauvee.terrain[i] == origine.terrain[i] || sites.count({x, y})) continue;
            ++changees;
            EXPECT_EQ(sauvee.terrain[i], 4) << x << "," << y;
            if (rangee == -1) rangee = y;
            EXPECT_EQ(y, rangee) << x;
        }
    EXPECT_GE(changees, 3);
    EXPECT_LE(changees, 5);
    EXPECT_NE(texte.find("\nNombre de lieux uniques : "), std::string::npos);
    EXPECT_NE(texte.find("\t\tObjet Graphique : "), std::string::npos);
}

// Without the developer option F5 opens nothing: the same script saves no region file.
TEST_F(InformationProgramme, WithoutTheOptionThePagesStayClosed) {
    ASSERT_EQ(Jouer("debug_region.txt", false), 0) << jeu.Lire("sortie/stderr.txt");
    EXPECT_FALSE(jeu.Existe("region/region1.txt"));
    EXPECT_FALSE(jeu.Existe("region"));
}

}  // namespace
