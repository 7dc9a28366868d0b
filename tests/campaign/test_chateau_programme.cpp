// The castle played by the program, headless, on the sample game (scripts/chateau.txt): from the
// region map to the castle, a regiment formed in the barracks' army screen and found on the region
// map afterwards, a development bought in the keep's upgrade screen, applied and saved.
#include <gtest/gtest.h>

#include <string>

#include "jeu_temporaire.h"

TEST(ChateauProgramme, ArmeeEtAmeliorationDepuisLaCarteDeRegion) {
    JeuTemporaire jeu;
    // The tutorial is won at once, so that the script reaches a faction campaign, whose region map
    // has the castle button.
    jeu.Ecrire("Campagnes/Tutorial/Region9/region.Vreg", "Nb lieux uniques a visiter : 0\nNb Nmi a tuer : 0\nVisu :0\n");
    const std::string script = LireFichier(std::filesystem::path(MORVANE_SOURCE_DIR) / "scripts/chateau.txt");
    ASSERT_EQ(jeu.Lancer(script, "c"), 0) << jeu.Lire("c/stderr.txt");
    EXPECT_FALSE(jeu.Existe("Erreur.txt")) << jeu.Lire("Erreur.txt");
    const std::string trace = jeu.Lire("c/stderr.txt");
    // The region map, the castle, the region map again.
    const size_t region = trace.find("Region__Quitte(): scene 1");
    const size_t chateau = trace.find("Region__Quitte(): scene 0");
    ASSERT_NE(region, std::string::npos) << trace;
    ASSERT_NE(chateau, std::string::npos) << trace;
    EXPECT_LT(region, chateau);
    EXPECT_NE(trace.find("Campagne__etapeRegion(): campagne 4, etape 0, resultat 0", chateau), std::string::npos) << trace;

    // The regiment formed in the barracks is in both army folders, which agree.
    for (const char* dossier : {"Armees/joueur0/", "tmp/Joueur0/"}) {
        EXPECT_EQ(jeu.Lire(std::string(dossier) + "entete_armee.txt"), "nbRegiments 2\n") << dossier;
        EXPECT_NE(jeu.Lire(std::string(dossier) + "regiment1.txt").find("Regiment__nom =Orvandel\n"), std::string::npos)
            << dossier;
    }
    // The leather armour bought in the keep: applied, saved, paid (a mage of 30, the armour of 200).
    const std::string variables = jeu.Lire("ini/variables.txt");
    EXPECT_NE(variables.find("NiveauArmures 1 1\n"), std::string::npos) << variables;
    EXPECT_EQ(jeu.Lire("Armees/reserve.txt").rfind("or 2270\n", 0), 0u) << jeu.Lire("Armees/reserve.txt");

    for (const char* nom : {"01-region", "02-chateau", "03-armee", "06-amelioration", "07-achete", "09-region"})
        EXPECT_GT(jeu.Lire(std::string("c/") + nom + ".png").size(), 100u) << nom;
    EXPECT_NE(jeu.Lire("c/06-amelioration.png"), jeu.Lire("c/07-achete.png"));
    EXPECT_NE(jeu.Lire("c/01-region.png"), jeu.Lire("c/09-region.png"));
}
