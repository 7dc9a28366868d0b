// The program headless on the sample game: a skirmish battle played to its end with variants of
// the skirmish's conditions file, its results screen closed by its OK corner, back to the main
// menu, and quit with exit code 0.
#include <gtest/gtest.h>

#include <string>

#include "jeu_temporaire.h"

namespace {

// The skirmish's conditions with these victory and defeat blocks; the computer's armies wait.
std::string Conditions(const JeuTemporaire& jeu, const std::string& victoire, const std::string& defaite) {
    std::string s = jeu.Lire("Skirmish/Escarmouche.VBat");
    const size_t a = s.find("[VICTOIRE]"), b = s.find("[EVENEMENTS]");
    s = s.substr(0, a) + victoire + defaite + s.substr(b);
    const size_t ia = s.find("[IA_DECLENCHEMENT]");
    const size_t fin = s.find('[', ia + 1);
    return s.substr(0, ia) + "[IA_DECLENCHEMENT]\n3600\n" + s.substr(fin);
}

// The intro text passed, Play, Skirmish, confirm (as the start-up test does); the results screen's
// OK corner clicked at 92 s, then Escape and Return on the menu quit.
const char* const Script =
    "4500 key RETURN\n"
    "13500 move 400 172\n13600 down left\n13700 up left\n15600 move 400 322\n15700 down left\n"
    "15800 up left\n16700 move 298 434\n16800 click left\n"
    "91000 capture resultats\n92000 move 600 440\n92100 click left\n"
    "95000 capture menu\n96000 key ESCAPE\n98000 key RETURN\n";

TEST(FinProgramme, TenirUneMinuteGagneLEscarmouche) {
    JeuTemporaire jeu;
    jeu.Ecrire("Skirmish/Escarmouche.VBat", Conditions(jeu, "[VICTOIRE]\n1\nTENIR - 1\n", "[DEFAITE]\n1\nPLUS_AMI -\n"));
    ASSERT_EQ(jeu.Lancer(Script, "s"), 0) << jeu.Lire("s/stderr.txt");
    EXPECT_FALSE(jeu.Existe("Erreur.txt")) << jeu.Lire("Erreur.txt");
    EXPECT_NE(jeu.Lire("s/stderr.txt").find("Conditions_Verification(): victoire"), std::string::npos);
    EXPECT_GT(jeu.Lire("s/resultats.png").size(), 100u);
    EXPECT_NE(jeu.Lire("s/resultats.png"), jeu.Lire("s/menu.png"));
}

TEST(FinProgramme, LeCompteAReboursPerdLEscarmouche) {
    JeuTemporaire jeu;
    jeu.Ecrire("Skirmish/Escarmouche.VBat",
               Conditions(jeu, "[VICTOIRE]\n1\nPLUS_NMI -\n", "[DEFAITE]\n2\nPLUS_AMI -\nCONTRE_LA_MONTRE - 1\n"));
    ASSERT_EQ(jeu.Lancer(Script, "s"), 0) << jeu.Lire("s/stderr.txt");
    EXPECT_FALSE(jeu.Existe("Erreur.txt")) << jeu.Lire("Erreur.txt");
    EXPECT_NE(jeu.Lire("s/stderr.txt").find("Conditions_Verification(): defaite"), std::string::npos);
    EXPECT_GT(jeu.Lire("s/resultats.png").size(), 100u);
}

}  // namespace
