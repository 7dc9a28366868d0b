// The editors reached through the developer option, played by the example scripts on a copy of
// the sample game tree: what they save is checked in the files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "jeu_temporaire.h"

namespace {

std::vector<std::string> Mots(const std::string& texte) {
    std::istringstream flux(texte);
    std::vector<std::string> mots;
    for (std::string m; flux >> m;) mots.push_back(m);
    return mots;
}

class EditeursProgramme : public ::testing::Test {
  protected:
    JeuTemporaire jeu;
    void TearDown() override { unsetenv("MORVANE_EDITEUR"); }
    int Jouer(const char* editeur, const char* script, const char* sortie) {
        setenv("MORVANE_EDITEUR", editeur, 1);
        return jeu.Lancer(LireFichier(std::filesystem::path(MORVANE_SOURCE_DIR) / "scripts" / script), sortie);
    }
};

// The current effect gets one particle more, shows at the mouse and is saved: its file differs
// by that value only.
TEST_F(EditeursProgramme, ParticleEditorChangesEmitsAndSavesAnEffect) {
    const std::vector<std::string> avant = Mots(jeu.Lire("particules/soins.txt"));
    ASSERT_EQ(avant.size(), 26u);
    EXPECT_EQ(Jouer("particules", "editeur_particules.txt", "sortie"), 0) << jeu.Lire("sortie/stderr.txt");
    std::vector<std::string> attendu = avant;
    attendu[14] = std::to_string(std::stoi(avant[14]) + 1);   // nombre
    EXPECT_EQ(Mots(jeu.Lire("particules/soins.txt")), attendu);
    for (const char* capture : {"02-emission", "05-sauve"})
        EXPECT_TRUE(jeu.Existe(std::string("sortie/") + capture + ".png")) << capture;
}

// The soldier's successful attack gets "fury" on frame 5 of each direction, saved to its file;
// every other line of the file stays.
TEST_F(EditeursProgramme, EventEditorAddsAVisualEventAndSavesTheMaster) {
    const std::string avant = jeu.Lire("maitres/soldat.cfg");
    EXPECT_EQ(Jouer("evenements", "editeur_evenements.txt", "sortie"), 0) << jeu.Lire("sortie/stderr.txt");
    const std::string apres = jeu.Lire("maitres/soldat.cfg");
    // Frame 5 of "Anime 2" in each of the 8 positions: the visual line was "-".
    size_t debut = apres.find(" Anime 2\n"), fin = apres.find(" Anime 3\n");
    ASSERT_NE(debut, std::string::npos);
    const std::string anime2 = apres.substr(debut, fin - debut);
    size_t n = 0;
    for (size_t p = anime2.find(" fury 20 0 -22 0 0 0 //\n"); p != std::string::npos; p = anime2.find(" fury", p + 1)) ++n;
    EXPECT_EQ(n, 8u) << anime2;
    // Nothing else changed: the new file less the fury lines, with "-" in their place, is the old one.
    std::string reconstruit = apres;
    for (size_t p; (p = reconstruit.find(" fury 20 0 -22 0 0 0 //\n")) != std::string::npos;)
        reconstruit.replace(p, std::string(" fury 20 0 -22 0 0 0 //\n").size(), "-\n");
    EXPECT_EQ(reconstruit, avant);
}

}  // namespace
